// The messages of handler 11, the change of operating mode, as the tests
// of its groups expect them.
#pragma once

#include <string>

namespace kvt::test {

inline const std::string kModeDone = "Betriebsmoduswechsel ist erfolgt.";
inline const std::string kModeNot = "Betriebsmoduswechsel konnte NICHT durchgeführt werden.";
inline const std::string kPasswordOk = "Passwort ist in Ordnung.";
inline const std::string kPasswordNot = "Passwort ist nicht korrekt.";
inline const std::string kResetDone = "Rücksetzen des Passwortes ist erfolgt.";
inline const std::string kResetNot = "Rücksetzen des Passwortes ist nicht erfolgt.";
inline const std::string kBaudDone = "Baudratenwechsel ist erfolgt.";
inline const std::string kBaudNot = "Baudratenwechsel konnte NICHT durchgeführt werden.";

}  // namespace kvt::test
