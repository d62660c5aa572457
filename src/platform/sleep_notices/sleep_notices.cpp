#include "platform/sleep_notices/sleep_notices.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusReply>
#include <QString>

#include <atomic>
#include <utility>

#include "platform/sleep_notices/prepare_for_sleep_receiver.h"

namespace {

const QString kLogindService = QStringLiteral("org.freedesktop.login1");
const QString kLogindPath = QStringLiteral("/org/freedesktop/login1");
const QString kManagerInterface = QStringLiteral("org.freedesktop.login1.Manager");
const QString kSignalName = QStringLiteral("PrepareForSleep");
// Only the documented form (one boolean) reaches the handler; anything else on that name is
// dropped by Qt D-Bus before it gets here.
const QString kSignalSignature = QStringLiteral("b");

bool HookPrepareForSleep(QDBusConnection& bus, CPrepareForSleepReceiver* receiver) {
  return bus.connect(kLogindService, kLogindPath, kManagerInterface, kSignalName, kSignalSignature, receiver,
                     SLOT(OnPrepareForSleep(bool)));
}

void UnhookPrepareForSleep(QDBusConnection& bus, CPrepareForSleepReceiver* receiver) {
  bus.disconnect(kLogindService, kLogindPath, kManagerInterface, kSignalName, kSignalSignature, receiver,
                 SLOT(OnPrepareForSleep(bool)));
}

// Every private connection needs its own name: Qt D-Bus hands out the existing connection when
// a name is reused.
QString NextPrivateConnectionName() {
  static std::atomic<unsigned> counter{0};
  return QStringLiteral("t640-sleep-notices-%1").arg(counter++);
}

std::string BusDescription(const std::string& busAddress) {
  return busAddress.empty() ? "the D-Bus system bus" : "the D-Bus bus at " + busAddress;
}

}  // namespace

// One subscription, torn down in reverse: handler, signal hook, receiver, private connection.
struct CSleepNotices::Subscription {
  QDBusConnection bus;
  QString privateConnectionName;  // empty on the shared system-bus connection
  CPrepareForSleepReceiver* receiver = nullptr;
  bool hooked = false;

  Subscription(QDBusConnection connection, QString connectionName)
      : bus(std::move(connection)), privateConnectionName(std::move(connectionName)) {}
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;

  ~Subscription() {
    if (receiver != nullptr) {
      receiver->Detach();
      if (hooked) UnhookPrepareForSleep(bus, receiver);
      // Stopped from inside the handler: the receiver is still on the call stack.
      if (receiver->IsDelivering()) {
        receiver->deleteLater();
      } else {
        delete receiver;
      }
    }
    // A private connection stays registered under its name even when it failed to connect.
    if (!privateConnectionName.isEmpty()) QDBusConnection::disconnectFromBus(privateConnectionName);
  }
};

CSleepNotices::CSleepNotices(std::string busAddress) : busAddress_(std::move(busAddress)) {}

CSleepNotices::~CSleepNotices() { Stop(); }

bool CSleepNotices::Start(std::function<void(bool suspending)> onChange) {
  Stop();
  failureReason_.clear();
  if (!onChange) return Fail("no handler for the suspend notices was given");

  std::unique_ptr<Subscription> subscription;
  if (busAddress_.empty()) {
    subscription = std::make_unique<Subscription>(QDBusConnection::systemBus(), QString());
  } else {
    QString name = NextPrivateConnectionName();
    QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(busAddress_), name);
    subscription = std::make_unique<Subscription>(std::move(bus), std::move(name));
  }
  QDBusConnection& bus = subscription->bus;
  if (!bus.isConnected()) {
    return Fail("cannot reach " + BusDescription(busAddress_) + ": " + bus.lastError().message().toStdString());
  }

  subscription->receiver = new CPrepareForSleepReceiver(std::move(onChange));
  subscription->hooked = HookPrepareForSleep(bus, subscription->receiver);
  if (!subscription->hooked) {
    return Fail("cannot subscribe to logind's PrepareForSleep: " + bus.lastError().message().toStdString());
  }

  // Asked only after subscribing: the bus handles one connection's messages in order, so once
  // this answer is back the subscription is in place and no notice sent later can be missed.
  QDBusConnectionInterface* busInterface = bus.interface();
  if (busInterface == nullptr) return Fail("cannot query " + BusDescription(busAddress_));
  QDBusReply<bool> logindPresent = busInterface->isServiceRegistered(kLogindService);
  if (!logindPresent.isValid()) {
    std::string error = logindPresent.error().message().toStdString();
    return Fail("cannot ask " + BusDescription(busAddress_) + " for logind: " + error);
  }
  if (!logindPresent.value()) return Fail("systemd-logind is not running on " + BusDescription(busAddress_));

  subscription_ = std::move(subscription);
  return true;
}

void CSleepNotices::Stop() { subscription_.reset(); }

bool CSleepNotices::Fail(std::string reason) {
  failureReason_ = std::move(reason);
  return false;
}
