#include "platform/serial/Termios.h"

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>

namespace quorvel::serial {
namespace {

struct RateEntry {
    DWORD baud;
    speed_t speed;
};

constexpr RateEntry kRates[] = {
    {1200, B1200},   {2400, B2400},   {4800, B4800},   {9600, B9600},
    {19200, B19200}, {38400, B38400}, {57600, B57600}, {115200, B115200},
};

bool SpeedOf(DWORD baud, speed_t& speed) {
    for (const RateEntry& e : kRates) {
        if (e.baud == baud) {
            speed = e.speed;
            return true;
        }
    }
    return false;
}

tcflag_t SizeFlag(BYTE size) {
    switch (size) {
        case 5:
            return CS5;
        case 6:
            return CS6;
        case 7:
            return CS7;
        default:
            return CS8;
    }
}

void SetParity(termios& t, const DCB& dcb) {
    t.c_cflag &= ~static_cast<tcflag_t>(PARENB | PARODD | CMSPAR);
    t.c_iflag &= ~static_cast<tcflag_t>(INPCK);
    if (dcb.Parity == NOPARITY) return;
    t.c_cflag |= PARENB;
    if (dcb.Parity == ODDPARITY || dcb.Parity == MARKPARITY) t.c_cflag |= PARODD;
    if (dcb.Parity == MARKPARITY || dcb.Parity == SPACEPARITY) t.c_cflag |= CMSPAR;
    if (dcb.fParity) t.c_iflag |= INPCK;
}

void SetFlowControl(termios& t, const DCB& dcb) {
    bool hardware = dcb.fOutxCtsFlow || dcb.fRtsControl == RTS_CONTROL_HANDSHAKE;
    if (hardware) {
        t.c_cflag |= CRTSCTS;
    } else {
        t.c_cflag &= ~static_cast<tcflag_t>(CRTSCTS);
    }
    t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    if (dcb.fOutX) t.c_iflag |= IXON;
    if (dcb.fInX) t.c_iflag |= IXOFF;
    t.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
}

}  // namespace

// Unix98 pseudo-terminal slaves have majors 136..143.
bool IsPseudoTerminal(int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0) return false;
    unsigned int m = major(st.st_rdev);
    return m >= 136 && m <= 143;
}

DCB DefaultDcb() {
    DCB dcb{};
    dcb.DCBlength = sizeof(DCB);
    dcb.BaudRate = CBR_9600;
    dcb.fBinary = 1;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.XonLim = 512;
    dcb.XoffLim = 512;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
    return dcb;
}

DWORD ValidateDcb(const DCB& dcb) {
    speed_t speed;
    if (!SpeedOf(dcb.BaudRate, speed)) return ERROR_INVALID_PARAMETER;
    if (dcb.ByteSize < 5 || dcb.ByteSize > 8) return ERROR_INVALID_PARAMETER;
    if (dcb.Parity > SPACEPARITY) return ERROR_INVALID_PARAMETER;
    if (dcb.StopBits != ONESTOPBIT && dcb.StopBits != TWOSTOPBITS) return ERROR_INVALID_PARAMETER;
    return ERROR_SUCCESS;
}

DWORD ApplyDcb(int fd, const DCB& dcb) {
    DWORD error = ValidateDcb(dcb);
    if (error != ERROR_SUCCESS) return error;
    termios t{};
    if (tcgetattr(fd, &t) != 0) return ERROR_GEN_FAILURE;
    cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | CSTOPB);
    t.c_cflag |= SizeFlag(dcb.ByteSize);
    if (dcb.StopBits == TWOSTOPBITS) t.c_cflag |= CSTOPB;
    SetParity(t, dcb);
    SetFlowControl(t, dcb);
    // With VMIN 1 an empty non-blocking read is EAGAIN, so 0 can only mean a hang-up.
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    speed_t speed = B9600;
    SpeedOf(dcb.BaudRate, speed);
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
    return tcsetattr(fd, TCSANOW, &t) == 0 ? ERROR_SUCCESS : ERROR_GEN_FAILURE;
}

bool SetModemLines(int fd, bool dtr, bool rts) {
    int raise = (dtr ? TIOCM_DTR : 0) | (rts ? TIOCM_RTS : 0);
    int lower = (dtr ? 0 : TIOCM_DTR) | (rts ? 0 : TIOCM_RTS);
    bool ok = true;
    if (raise != 0 && ioctl(fd, TIOCMBIS, &raise) != 0) ok = false;
    if (lower != 0 && ioctl(fd, TIOCMBIC, &lower) != 0) ok = false;
    return ok || IsPseudoTerminal(fd);
}

}  // namespace quorvel::serial
