#pragma once
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "sim/sim_frame.h"

// What the fault plan decided for one received command frame.
struct SimFaultDecision {
  bool unplugBeforeReply = false;  // the device vanishes with the frame in flight
  bool dropReply = false;
  uint32_t extraDelayMs = 0;
  bool wrongEcho = false;
  std::optional<uint8_t> status;  // replaces the reply's status byte
};

// Faults a test arms on a virtual device while it runs; each applies to the command frames the
// device receives from then on. Safe to change from any thread.
class CSimFaultPlan {
 public:
  // The next `frames` frames get no reply (the host's read times out).
  void DropReplies(uint32_t frames);
  void DropAllReplies();
  // Every reply becomes readable this much later than usual (0 restores the normal latency).
  void DelayReplies(uint32_t milliseconds);
  // The reply carries another command number in byte 3 (never the receiver's not-linked 0xAA).
  void WrongEchoOnce();
  void WrongEchoAlways();
  // The reply's status byte becomes `status` (0xFF or 0xFE): for the next frame, for every frame,
  // or for every frame of one command.
  void FailStatusOnce(uint8_t status);
  void FailStatusAlways(uint8_t status);
  void FailStatusForCommand(uint8_t command, uint8_t status);
  // The device answers `frames` more frames normally; the one after that is taken (its write
  // succeeds) but the device is unplugged before it answers.
  void UnplugAfterFrames(uint32_t frames);
  // One fault on the frame with this number, counting every command frame the device has
  // received since it was made from 1 (the --simulate faults are given this way).
  void LateReplyAt(uint32_t frame, uint32_t delayMs);
  void DropReplyAt(uint32_t frame);
  void WrongEchoAt(uint32_t frame);
  void FailStatusAt(uint32_t frame, uint8_t status);
  void Clear();

  // Consumes the one-shot faults that apply to a frame of this command.
  SimFaultDecision NextFrame(uint8_t command);
  // Applies a decision's echo and status to a reply and reseals it.
  static void ApplyToReply(const SimFaultDecision& decision, SimFrame& reply);

 private:
  struct Armed {
    uint32_t dropCount = 0;
    bool dropAll = false;
    uint32_t delayMs = 0;
    bool wrongEchoOnce = false;
    bool wrongEchoAlways = false;
    std::optional<uint8_t> statusOnce;
    std::optional<uint8_t> statusAlways;
    std::optional<uint8_t> statusCommand;
    uint8_t statusForCommand = 0;
    std::optional<uint32_t> framesBeforeUnplug;
  };
  struct NumberedFault {
    uint32_t frame = 0;
    uint32_t delayMs = 0;
    bool drop = false;
    bool wrongEcho = false;
    std::optional<uint8_t> status;
  };
  void AddNumbered(const NumberedFault& fault);

  std::mutex mutex_;
  Armed armed_;
  std::vector<NumberedFault> numbered_;
  uint32_t framesReceived_ = 0;
};
