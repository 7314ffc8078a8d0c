// The curtains' rectangles: the other monitors, less the toy's own.
#include "core/curtains.h"

#include <cstddef>
#include <cstdint>

namespace {

bool IsEmpty(const Box& box) { return box.right <= box.left || box.bottom <= box.top; }

int64_t OverlapArea(const Box& a, const Box& b)
{
    const int64_t width = int64_t{a.right < b.right ? a.right : b.right} - (a.left > b.left ? a.left : b.left);
    const int64_t height = int64_t{a.bottom < b.bottom ? a.bottom : b.bottom} - (a.top > b.top ? a.top : b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

bool Inside(const Box& inner, const Box& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// `from` less `hole`, as up to four rectangles: the bands above and below
// the hole across the whole width, then the pieces left and right of it.
void AddDifference(const Box& from, const Box& hole, std::vector<Box>& out)
{
    if (OverlapArea(from, hole) == 0) {
        out.push_back(from);
        return;
    }
    const int32_t top = hole.top > from.top ? hole.top : from.top;
    const int32_t bottom = hole.bottom < from.bottom ? hole.bottom : from.bottom;
    const Box pieces[] = {
        {from.left, from.top, from.right, top},
        {from.left, bottom, from.right, from.bottom},
        {from.left, top, hole.left < from.right ? hole.left : from.right, bottom},
        {hole.right > from.left ? hole.right : from.left, top, from.right, bottom},
    };
    for (const Box& piece : pieces)
        if (!IsEmpty(piece))
            out.push_back(piece);
}

}  // namespace

std::vector<Box> CurtainsFor(const std::vector<Box>& monitors, const Box& window)
{
    std::vector<Box> real;
    for (const Box& monitor : monitors)
        if (!IsEmpty(monitor))
            real.push_back(monitor);
    if (real.size() < 2)
        return {};

    size_t own = 0;
    int64_t ownOverlap = 0;
    for (size_t i = 0; i < real.size(); ++i) {
        const int64_t overlap = OverlapArea(real[i], window);
        if (overlap > ownOverlap) {
            own = i;
            ownOverlap = overlap;
        }
    }

    std::vector<Box> curtains;
    for (size_t i = 0; i < real.size(); ++i) {
        if (i == own || Inside(real[i], real[own]))
            continue;
        // Covered by another monitor's curtain; of two equal monitors the
        // first gets it.
        bool covered = false;
        for (size_t j = 0; j < real.size() && !covered; ++j)
            covered = j != i && j != own && Inside(real[i], real[j]) && (j < i || !(real[i] == real[j]));
        if (!covered)
            AddDifference(real[i], real[own], curtains);
    }
    return curtains;
}
