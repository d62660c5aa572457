#pragma once
#include <string>
#include <string_view>

// Replaces a whole file so that a reader, a crash or a full disk can only ever leave the old
// content or the new one: the bytes go to a temporary file in the same folder, are flushed to
// the disk, and the temporary file is then renamed over the target. On any failure the temporary
// file is removed and the target is left as it was.
bool WriteFileAtomically(const std::string& path, std::string_view bytes);

// The steps of a replacement at which a test can make it fail, as a crash or a full disk would.
enum class AtomicWriteStep {
  kNone,
  kAfterTemporaryCreated,  // the temporary file exists, nothing written yet
  kMidWrite,               // half of the bytes are in the temporary file
  kBeforeRename,           // everything written and flushed, the rename not yet done
};

// Makes every following replacement in this process fail at `step` until reset with kNone.
// Only tests use it; the guard below restores the normal behaviour when it goes out of scope.
void SetAtomicWriteFailurePoint(AtomicWriteStep step);

class ScopedAtomicWriteFailure {
 public:
  explicit ScopedAtomicWriteFailure(AtomicWriteStep step) { SetAtomicWriteFailurePoint(step); }
  ~ScopedAtomicWriteFailure() { SetAtomicWriteFailurePoint(AtomicWriteStep::kNone); }
  ScopedAtomicWriteFailure(const ScopedAtomicWriteFailure&) = delete;
  ScopedAtomicWriteFailure& operator=(const ScopedAtomicWriteFailure&) = delete;
};
