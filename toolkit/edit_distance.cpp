// Edit distance and the nearest name.
#include "toolkit/edit_distance.h"

#include <algorithm>

namespace kestrane {
namespace {

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

int editDistance(std::string_view a, std::string_view b) {
    // Three rows of the table: row[j] is the distance between the part of
    // `a` read so far and the first j bytes of `b`; last and beforeLast the
    // same for one and two bytes of `a` fewer.
    std::vector<int> beforeLast(b.size() + 1);
    std::vector<int> last(b.size() + 1);
    std::vector<int> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        beforeLast.swap(last);
        last.swap(row);
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = lowerAscii(a[i - 1]) == lowerAscii(b[j - 1]);
            row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + (same ? 0 : 1)});
            // Two neighbours swapped, "alpah" for "alpha", are one edit.
            if (i > 1 && j > 1 && lowerAscii(a[i - 1]) == lowerAscii(b[j - 2]) &&
                lowerAscii(a[i - 2]) == lowerAscii(b[j - 1])) {
                row[j] = std::min(row[j], beforeLast[j - 2] + 1);
            }
        }
    }
    return row[b.size()];
}

std::string_view closestName(std::string_view name, const std::vector<std::string_view>& candidates) {
    const int allowed = std::max<int>(1, static_cast<int>(name.size() / 3));
    std::string_view best;
    int bestDistance = allowed + 1;
    for (std::string_view candidate : candidates) {
        if (candidate == name) return {};
        // The distance is at least the difference in length: a long name
        // is not compared byte by byte with every short one.
        const auto lengthGap = static_cast<int>(
            name.size() > candidate.size() ? name.size() - candidate.size() : candidate.size() - name.size());
        if (lengthGap >= bestDistance) continue;
        const int distance = editDistance(name, candidate);
        if (distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace kestrane
