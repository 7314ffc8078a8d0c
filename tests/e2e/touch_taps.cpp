// Taps as Windows makes them from a finger, for the end-to-end tests: for
// each screen point a move there, a left press and a release, all sent with
// SendInput in one batch and carrying the given extra information (Windows
// marks the mouse input it makes from a finger 0xFF5157xx; 0 is a mouse).
// Usage: touch_taps.exe EXTRA_INFO X Y [X Y ...]   (EXTRA_INFO in hex)
// Exits 0 when every input went in, 1 otherwise, 2 for wrong arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// An absolute move's coordinate (0 to 65535 across the primary monitor)
// that lands on pixel `pixel`: rounded up, so that the system's
// coordinate * size / 65536 comes back to it.
LONG Normalised(int pixel, int size) { return static_cast<LONG>((pixel * 65536LL + size - 1) / size); }

INPUT MouseInput(DWORD flags, LONG dx, LONG dy, ULONG_PTR extraInfo)
{
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    input.mi.dwExtraInfo = extraInfo;
    return input;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4 || argc % 2 != 0) {
        std::fprintf(stderr, "usage: touch_taps.exe EXTRA_INFO X Y [X Y ...]\n");
        return 2;
    }
    const ULONG_PTR extraInfo = std::strtoul(argv[1], nullptr, 16);
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    std::vector<INPUT> inputs;
    for (int i = 2; i + 1 < argc; i += 2) {
        const LONG dx = Normalised(std::atoi(argv[i]), width);
        const LONG dy = Normalised(std::atoi(argv[i + 1]), height);
        inputs.push_back(MouseInput(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy, extraInfo));
        inputs.push_back(MouseInput(MOUSEEVENTF_LEFTDOWN, 0, 0, extraInfo));
        inputs.push_back(MouseInput(MOUSEEVENTF_LEFTUP, 0, 0, extraInfo));
    }
    const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    return sent == inputs.size() ? 0 : 1;
}
