// Thousands of marks must not use up GDI objects: every segment pen and stamp
// brush is deleted when the next one of its kind is made.
#include <cstdio>
#include <vector>

#include "tests/win/window_fixture.h"

namespace {

// GetGuiResources is a stub under Wine, so the free room in the process's
// GDI handle table is measured instead: pens are created until CreatePen
// fails, counted, and deleted again. A leak of one object per mark shows up
// as thousands fewer pens. Wine's table holds 64k handles and the probe takes
// a few hundred milliseconds.
int PensThatCanStillBeCreated()
{
    std::vector<HPEN> pens;
    pens.reserve(70000);
    for (;;) {
        HPEN pen = CreatePen(PS_SOLID, 1, RGB(pens.size() & 0xFF, 0, 0));
        if (!pen)
            break;
        pens.push_back(pen);
        if (pens.size() > 1000000)
            break;  // no limit at all: the count would mean nothing
    }
    for (HPEN pen : pens)
        DeleteObject(pen);
    return static_cast<int>(pens.size());
}

class GdiObjects : public WindowTest {};

TEST_F(GdiObjects, ThousandsOfSegmentsAndStampsLeaveTheHandleTableAsItWas)
{
    // Make one segment pen and one stamp brush first: the canvas keeps the
    // latest of each alive by design.
    toy().options.drawWhenMouseMoves = 1;
    MovePointer(100, 100);
    Send(WM_KEYUP, 'A', 0xC0000001);

    const DWORD start = GetTickCount();
    const int before = PensThatCanStillBeCreated();
    const DWORD probeTime = GetTickCount() - start;
    ASSERT_GT(before, 5000) << "the probe must see a limit far above the marks made below";
    ASSERT_LT(before, 1000000);
    std::printf("room for %d pens, probe took %lu ms\n", before, static_cast<unsigned long>(probeTime));

    const RECT client = ClientRect();
    const int marks = 3000;
    for (int i = 0; i < marks; ++i) {
        // Every third segment has a margin, every fifth erases.
        toy().options.drawWithBlackMargins = i % 3 == 0;
        toy().pen.rightButtonDown = i % 5 == 0;
        toy().options.eraseWithRightButton = i % 5 == 0;
        const HPEN previous = w32::TheShell().canvas.segmentPen;
        MovePointer((i * 37) % client.right, (i * 53) % client.bottom);
        // Checked on the way: the previous pen is gone, not merely deselected.
        if (previous && GetObjectType(previous) != 0) {
            ADD_FAILURE() << "segment pen of mark " << i << " still exists";
            break;
        }
    }
    toy().pen.rightButtonDown = false;
    for (int i = 0; i < marks; ++i) {
        toy().options.drawWithBlackMargins = i % 2;
        const HBRUSH previous = w32::TheShell().canvas.stampBrush;
        Send(WM_KEYUP, 'A' + i % 26, 0xC0000001);
        if (previous && GetObjectType(previous) != 0) {
            ADD_FAILURE() << "stamp brush of stamp " << i << " still exists";
            break;
        }
    }
    for (int i = 0; i < marks / 3; ++i)
        Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);

    EXPECT_EQ(PensThatCanStillBeCreated(), before);
}

}  // namespace
