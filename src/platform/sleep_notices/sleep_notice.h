#pragma once

// What logind's PrepareForSleep signal announces. Its argument is true just before the machine
// suspends or hibernates, and false once it runs again (also after a suspend that failed).
enum class SleepNotice { kSuspending, kResumed };

SleepNotice SleepNoticeFromSignal(bool start);
