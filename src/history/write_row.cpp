#include "history/write_row.h"

namespace tadjust::history {

std::string_view outcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::Verified:
      return "verified";
    case Outcome::StoredWrong:
      return "stored-wrong";
    case Outcome::NoReply:
      return "no-reply";
    case Outcome::ConnectionLost:
      return "connection-lost";
    case Outcome::OtherDevice:
      return "other-device";
    case Outcome::Interrupted:
      break;
  }
  return "interrupted";
}

std::optional<Outcome> outcomeNamed(std::string_view name) {
  for (const Outcome outcome :
       {Outcome::Verified, Outcome::StoredWrong, Outcome::NoReply, Outcome::ConnectionLost,
        Outcome::OtherDevice, Outcome::Interrupted}) {
    if (outcomeName(outcome) == name) return outcome;
  }
  return std::nullopt;
}

}  // namespace tadjust::history
