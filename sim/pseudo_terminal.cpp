#include "sim/pseudo_terminal.h"

#include <fcntl.h>
#include <sys/ioctl.h>
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

  const int slave = openSlave();
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
  holdWanted_ = true;
  if (heldSlave_ >= 0) return true;
  heldSlave_ = openSlave();
  return heldSlave_ >= 0;
}

bool PseudoTerminal::pullOut(std::string& error) {
  // The hang-up goes through an open of the slave; once locked, the slave opens no more.
  const int slave = heldSlave_ >= 0 ? heldSlave_ : openSlave();
  heldSlave_ = -1;
  if (slave < 0) {
    error = systemError("open of the slave");
    return false;
  }
  int locked = 1;
  const bool pulled = ioctl(master_, TIOCSPTLCK, &locked) == 0 && ioctl(slave, TIOCVHANGUP) == 0;
  if (!pulled) error = systemError("hang-up of the terminal");
  ::close(slave);
  if (!pulled) {
    std::string ignored;
    plugBack(ignored);
  }
  return pulled;
}

bool PseudoTerminal::plugBack(std::string& error) {
  int locked = 0;
  if (ioctl(master_, TIOCSPTLCK, &locked) != 0) {
    error = systemError("unlock of the slave");
    return false;
  }
  // What either side sent before the hang-up is gone with the cable.
  tcflush(master_, TCIOFLUSH);
  const int slave = openSlave();
  if (slave < 0 || !makeRaw(slave)) {
    error = systemError("raw mode of the slave");
    if (slave >= 0) ::close(slave);
    return false;
  }
  if (holdWanted_) {
    heldSlave_ = slave;
  } else {
    ::close(slave);
  }
  return true;
}

bool PseudoTerminal::moveElsewhere(std::string& error) {
  const int oldMaster = master_;
  const int oldHeld = heldSlave_;
  // The new terminal is made while the old one still stands, so it gets another number.
  master_ = -1;
  heldSlave_ = -1;
  const bool moved = open(error) && (!holdWanted_ || holdSlave());
  if (!moved && error.empty()) error = systemError("hold of the new slave");
  if (oldHeld >= 0) ::close(oldHeld);
  if (oldMaster >= 0) ::close(oldMaster);
  return moved;
}

int PseudoTerminal::openSlave() const {
  return ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
}

void PseudoTerminal::close() {
  if (heldSlave_ >= 0) ::close(heldSlave_);
  if (master_ >= 0) ::close(master_);
  heldSlave_ = -1;
  master_ = -1;
}

}  // namespace tadjust
