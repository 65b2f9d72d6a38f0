// How far apart two names are, and the nearest of a set of names, for
// "did you mean" suggestions. Letters compare without regard to ASCII case.
#pragma once

#include <string_view>
#include <vector>

namespace kestrane {

// The number of single-byte insertions, deletions and substitutions, and
// swaps of two neighbouring bytes, that turn `a` into `b`, ASCII case
// ignored.
int editDistance(std::string_view a, std::string_view b);

// The candidate nearest to `name` if it is near enough to be the name
// meant: at most one edit for every three bytes of `name`, and at least one
// edit allowed; of equally near candidates, the first. The empty view when
// none is near, or when `name` itself is a candidate.
std::string_view closestName(std::string_view name, const std::vector<std::string_view>& candidates);

}  // namespace kestrane
