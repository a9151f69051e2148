#pragma once
// Binary and unary operators and the standard objects, by their one-byte codes. Each returns an
// operator result code: 0 with the result stored, 1 for an unknown code, 4 for RND called with
// arguments; on a non-zero code there is no result.

#include "context/machine_state.h"

#include <cstdint>

namespace tovik::runner {

inline constexpr std::uint8_t operator_ok = 0;
inline constexpr std::uint8_t operator_unknown = 1;
inline constexpr std::uint8_t operator_rnd_arguments = 4;

std::uint8_t binary_operator(std::uint8_t code, double left, double right, double& result);
std::uint8_t unary_operator(std::uint8_t code, double x, double& result);
// Pops its n arguments from Stack 1 itself (the caller has checked that they are there).
std::uint8_t standard_object(MachineState& machine, std::uint8_t code, std::uint32_t n,
                             double& result);

} // namespace tovik::runner
