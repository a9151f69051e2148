#pragma once
// The process-wide settings record; every field starts at its default.

#include <cstdint>
#include <string>

namespace tovik {

inline constexpr const char* default_value_format =
    "VALUE | %G#LDEC $D#LHEX $H#LBIN $B#Ldbl #d#Lul  #l#Lszt #s#L";
inline constexpr const char* default_count_format = "%g ($D)";
inline constexpr std::size_t text_limit = 10240; // formats, names, lines: characters incl. NUL

struct Settings {
  std::string value_format = default_value_format;
  std::string count_format = default_count_format;
  std::int32_t graph_width = 640;
  std::int32_t graph_height = 480;
  bool startup_loading = true;
  bool unknown_breaks = true;
  bool unknown_warns = true;
  std::uint32_t stack_step = 1024;
  bool save_code = false;
  bool show_program = false;
  std::string autoload_file;
};

} // namespace tovik
