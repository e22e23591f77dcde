#pragma once

#include <QString>

namespace tadjust {

// The login name of the user running the program, from the system's account (not from an
// environment variable).
QString computerUserName();

}  // namespace tadjust
