#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace tadjust {

namespace {

std::string systemError(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

// Raw 8-bit transfer: no byte is translated, echoed or held back by the line discipline.
bool makeRaw(int fd) {
  termios attributes{};
  if (tcgetattr(fd, &attributes) != 0) return false;
  cfmakeraw(&attributes);
  cfsetispeed(&attributes, B2400);
  cfsetospeed(&attributes, B2400);
  return tcsetattr(fd, TCSANOW, &attributes) == 0;
}

}  // namespace

PseudoTerminal::~PseudoTerminal() { close(); }

bool PseudoTerminal::open(std::string& error) {
  close();
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) {
    error = systemError("posix_openpt");
    return false;
  }
  if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
    error = systemError("grantpt/unlockpt");
    close();
    return false;
  }
  const char* name = ptsname(master_);
  if (name == nullptr) {
    error = systemError("ptsname");
    close();
    return false;
  }
  slavePath_ = name;
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);

  const int slave = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (slave < 0 || !makeRaw(slave)) {
    error = systemError("raw mode of the slave");
    if (slave >= 0) ::close(slave);
    close();
    return false;
  }
  ::close(slave);
  return true;
}

bool PseudoTerminal::holdSlave() {
  if (heldSlave_ >= 0) return true;
  heldSlave_ = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  return heldSlave_ >= 0;
}

void PseudoTerminal::close() {
  if (heldSlave_ >= 0) ::close(heldSlave_);
  if (master_ >= 0) ::close(master_);
  heldSlave_ = -1;
  master_ = -1;
}

}  // namespace tadjust
