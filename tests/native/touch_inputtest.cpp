// Fingers for an Xorg server's test input driver (inputtest, a touch
// device): reads lines from standard input and sends them over the driver's
// socket as XInput 2 touches, for the native end-to-end test.
//   down ID X Y    finger ID lands at screen pixel (X, Y)
//   move ID X Y    finger ID moves there
//   up ID          finger ID lifts
//   sync           waits until the server has handled everything sent, then
//                  prints "synced"
// The driver serves one connection in the server's life, so this program
// stays connected until its input ends.
// Usage: scrivlet_touch_inputtest SOCKET SCREEN_WIDTH SCREEN_HEIGHT
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <X11/extensions/XI2.h>
#include <xorg/xf86-input-inputtest-protocol.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {

int g_socket = -1;
double g_width = 0;
double g_height = 0;

// The driver's touch axes run from 0 to 0xffff over the whole screen.
constexpr double kAxisSpan = 0x10000;

[[noreturn]] void Fail(const std::string& message)
{
    std::fprintf(stderr, "scrivlet_touch_inputtest: %s\n", message.c_str());
    std::exit(1);
}

template <typename Event>
void Send(Event& event, xf86ITEventType type)
{
    event.header.length = sizeof event;
    event.header.type = type;
    const char* bytes = reinterpret_cast<const char*>(&event);
    for (size_t sent = 0; sent < sizeof event;) {
        const ssize_t n = write(g_socket, bytes + sent, sizeof event - sent);
        if (n <= 0)
            Fail(std::string("writing to the driver failed: ") + std::strerror(errno));
        sent += static_cast<size_t>(n);
    }
}

template <typename Response>
void Receive(Response& response, xf86ITResponseType type)
{
    char* bytes = reinterpret_cast<char*>(&response);
    for (size_t got = 0; got < sizeof response;) {
        const ssize_t n = read(g_socket, bytes + got, sizeof response - got);
        if (n <= 0)
            Fail("the driver closed the connection");
        got += static_cast<size_t>(n);
    }
    if (response.header.type != type || response.header.length != sizeof response)
        Fail("unexpected answer from the driver");
}

void Connect(const char* path)
{
    g_socket = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::strlen(path) >= sizeof address.sun_path)
        Fail("socket path too long");
    std::strcpy(address.sun_path, path);
    if (g_socket < 0 || connect(g_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0)
        Fail(std::string("cannot connect to ") + path + ": " + std::strerror(errno));
    xf86ITEventClientVersion version{};
    version.major = XF86IT_PROTOCOL_VERSION_MAJOR;
    version.minor = 0;  // touches need nothing newer
    Send(version, XF86IT_EVENT_CLIENT_VERSION);
    xf86ITResponseServerVersion answer{};
    Receive(answer, XF86IT_RESPONSE_SERVER_VERSION);
}

// Aimed at the pixel's centre, so the server's scaling lands in it.
void Touch(uint32_t id, int type, int x, int y)
{
    xf86ITEventTouch touch{};
    touch.touchid = id;
    touch.touch_type = static_cast<uint32_t>(type);
    if (type != XI_TouchEnd) {
        touch.valuators.mask[0] = 0x3;
        touch.valuators.valuators[0] = (x + 0.5) * kAxisSpan / g_width;
        touch.valuators.valuators[1] = (y + 0.5) * kAxisSpan / g_height;
    }
    Send(touch, XF86IT_EVENT_TOUCH);
}

void Sync()
{
    xf86ITEventWaitForSync wait{};
    Send(wait, XF86IT_EVENT_WAIT_FOR_SYNC);
    xf86ITResponseSyncFinished done{};
    Receive(done, XF86IT_RESPONSE_SYNC_FINISHED);
    std::cout << "synced" << std::endl;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4)
        Fail("usage: scrivlet_touch_inputtest SOCKET SCREEN_WIDTH SCREEN_HEIGHT");
    g_width = std::atof(argv[2]);
    g_height = std::atof(argv[3]);
    if (g_width <= 0 || g_height <= 0)
        Fail("the screen's size must be positive");
    Connect(argv[1]);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string verb;
        uint32_t id = 0;
        int x = 0;
        int y = 0;
        words >> verb;
        if (verb == "sync")
            Sync();
        else if (verb == "up" && words >> id)
            Touch(id, XI_TouchEnd, 0, 0);
        else if ((verb == "down" || verb == "move") && words >> id >> x >> y)
            Touch(id, verb == "down" ? XI_TouchBegin : XI_TouchUpdate, x, y);
        else
            Fail("cannot read \"" + line + "\"");
    }
    return 0;
}
