#pragma once

// The pseudo-terminal t-adjust-sim serves its device on. The program opens the slave side
// ("/dev/pts/N") as it would open the serial port of an interface box; the simulator reads and
// writes the master side.

#include <string>

namespace tadjust {

class PseudoTerminal {
 public:
  PseudoTerminal() = default;
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Makes a new pseudo-terminal with its slave in raw 8-bit mode, the master non-blocking.
  // False, with the reason in error, when the system has none to give.
  bool open(std::string& error);

  // Keeps the slave open on our side too, so the program can open and close it as often as it
  // likes: without this, every close by the program is a hang-up on the master.
  bool holdSlave();

  // Closes both sides: the slave path disappears, as a serial port does when its cable is
  // pulled out.
  void close();

  // Takes the port away but keeps its path for plugBack(): every open of the slave is hung up
  // (reads end, writes fail) and new opens are refused. Needs the right to hang up a terminal
  // (CAP_SYS_ADMIN, which root has); false, with the reason in error, without it.
  bool pullOut(std::string& error);
  // The port is back under the same path, in raw mode, held again when it was held before.
  bool plugBack(std::string& error);

  // The port moves to a new pseudo-terminal, held as before; the old path disappears (an open
  // of it hangs up), as a box plugged into another USB port gets another name. Needs no right.
  bool moveElsewhere(std::string& error);

  int master() const { return master_; }
  const std::string& slavePath() const { return slavePath_; }

 private:
  int openSlave() const;

  int master_ = -1;
  int heldSlave_ = -1;
  bool holdWanted_ = false;
  std::string slavePath_;
};

}  // namespace tadjust
