#pragma once
// The skin-change broadcast: the skin panel publishes the background the user picked, and the
// windows that follow the skin (today only the main window) subscribe. The panel does not know
// who listens.
#include <map>
#include <utility>
#include <string>

#include "ui/toolkit/ui_types.h"

struct SkinChangedParam {
  // true: a plain colour (Colour); false: an image (Image).
  bool IsColour = false;
  // ARGB, as the toolkit takes colours.
  DWORD Colour = 0;
  // A name relative to the skin folder, or a full path.
  std::string Image;
};

template <typename ReturnT, typename ParamT>
class ReceiverImplBase;

template <typename ReturnT, typename ParamT>
class ObserverImplBase {
 public:
  virtual void AttachReceiver(ReceiverImplBase<ReturnT, ParamT>* receiver) = 0;
  virtual void DetachReceiver(ReceiverImplBase<ReturnT, ParamT>* receiver) = 0;
  virtual ReturnT BroadcastToAll(ParamT param) = 0;
  virtual ReturnT AskAll(ParamT param) = 0;
  virtual ~ObserverImplBase() = default;
};

template <typename ReturnT, typename ParamT>
class ReceiverImplBase {
 public:
  virtual int AttachObserver(ObserverImplBase<ReturnT, ParamT>* observer) = 0;
  virtual void DetachFromObservers() = 0;
  virtual ReturnT OnBroadcast(ParamT param) = 0;
  virtual ReturnT OnAsk(ParamT param, ObserverImplBase<ReturnT, ParamT>* observer) = 0;
  virtual ~ReceiverImplBase() = default;
};

// Receivers are called in the order they subscribed.
template <typename ReturnT, typename ParamT>
class ObserverImpl : public ObserverImplBase<ReturnT, ParamT> {
 public:
  void AttachReceiver(ReceiverImplBase<ReturnT, ParamT>* receiver) override {
    if (!receiver) return;
    receivers_[next_] = receiver;
    receiver->AttachObserver(this);
    ++next_;
  }
  void DetachReceiver(ReceiverImplBase<ReturnT, ParamT>* receiver) override {
    if (!receiver) return;
    for (auto it = receivers_.begin(); it != receivers_.end(); ++it) {
      if (it->second == receiver) {
        receivers_.erase(it);
        return;
      }
    }
  }
  ReturnT BroadcastToAll(ParamT param) override {
    // A copy: a receiver may unsubscribe while it is told.
    const auto receivers = receivers_;
    for (const auto& entry : receivers) entry.second->OnBroadcast(param);
    return ReturnT{};
  }
  ReturnT AskAll(ParamT param) override {
    const auto receivers = receivers_;
    for (const auto& entry : receivers) entry.second->OnAsk(param, this);
    return ReturnT{};
  }
  size_t ReceiverCount() const { return receivers_.size(); }

 private:
  std::map<int, ReceiverImplBase<ReturnT, ParamT>*> receivers_;
  int next_ = 0;
};

// A receiver remembers its subjects and leaves them all when it goes, so a subject never calls
// a receiver that no longer exists.
template <typename ReturnT, typename ParamT>
class ReceiverImpl : public ReceiverImplBase<ReturnT, ParamT> {
 public:
  ReceiverImpl() = default;
  ReceiverImpl(const ReceiverImpl&) = delete;
  ReceiverImpl& operator=(const ReceiverImpl&) = delete;
  ~ReceiverImpl() override { DetachFromObservers(); }

  int AttachObserver(ObserverImplBase<ReturnT, ParamT>* observer) override {
    observers_[next_] = observer;
    ++next_;
    return next_;
  }
  void DetachFromObservers() override {
    const auto observers = std::exchange(observers_, {});
    for (const auto& entry : observers) entry.second->DetachReceiver(this);
  }
  ReturnT OnBroadcast(ParamT) override { return ReturnT{}; }
  ReturnT OnAsk(ParamT, ObserverImplBase<ReturnT, ParamT>*) override { return ReturnT{}; }

 private:
  std::map<int, ObserverImplBase<ReturnT, ParamT>*> observers_;
  int next_ = 0;
};

using SkinChangeObserver = ObserverImpl<int, SkinChangedParam>;
using SkinChangeReceiver = ReceiverImpl<int, SkinChangedParam>;

// The one process-wide subject, made on first use and never destroyed.
SkinChangeObserver* GetSkinChangeObserver();

// The panel's way to publish a choice: every subscriber is told at once, on this thread.
void BroadcastSkinChange(const SkinChangedParam& param);
