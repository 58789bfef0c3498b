#pragma once
// The run's interface language: chosen once at start-up, fixed for the run.
#include <QString>

namespace kvf {

// True when the interface speaks Swedish. False until SetSwedish is called.
bool Swedish();
void SetSwedish(bool swedish);

// The user's interface language from the environment, as the C library
// picks the message locale: the first non-empty of LC_ALL, LC_MESSAGES and
// LANG decides; a value starting with "sv" means Swedish.
bool SwedishFromEnvironment();

}  // namespace kvf
