#include "sleep_test_support.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QFile>
#include <QStandardPaths>

#include <atomic>
#include <cstdlib>
#include <memory>

#include "platform/clock.h"

namespace {

class CQtCoreEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    setenv("DBUS_SYSTEM_BUS_ADDRESS", kMissingSystemBus, 1);
    app_ = std::make_unique<QCoreApplication>(argc_, argv_);
  }
  void TearDown() override { app_.reset(); }

 private:
  int argc_ = 1;
  char name_[32] = "t640_sleep_notices_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QCoreApplication> app_;
};

[[maybe_unused]] testing::Environment* const kEnvironment = testing::AddGlobalTestEnvironment(new CQtCoreEnvironment);

// Anyone may own any name and send anything: the daemon stands in for the system bus, whose
// real policy is not what these tests are about.
constexpr const char* kBusConfig = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>t640-test</type>
  <listen>unix:dir=%1</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

QString NextConnectionName() {
  static std::atomic<unsigned> counter{0};
  return QStringLiteral("t640-fake-logind-%1").arg(counter++);
}

}  // namespace

bool PumpUntil(const std::function<bool()>& condition) {
  QDeadlineTimer guard(kSleepTestGuardMs);
  while (!condition()) {
    if (guard.hasExpired()) return false;
    QCoreApplication::processEvents();
    SleepMs(1);
  }
  return true;
}

CPrivateBus::CPrivateBus() {
  QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
  if (program.isEmpty()) {
    problem_ = "dbus-daemon is not installed";
    return;
  }
  if (!folder_.isValid()) {
    problem_ = "cannot create a temporary folder";
    return;
  }
  QString configPath = folder_.filePath(QStringLiteral("bus.conf"));
  QFile config(configPath);
  if (!config.open(QIODevice::WriteOnly) || config.write(QString::fromUtf8(kBusConfig).arg(folder_.path()).toUtf8()) < 0) {
    problem_ = "cannot write the bus configuration";
    return;
  }
  config.close();

  QStringList arguments{QStringLiteral("--config-file=") + configPath, QStringLiteral("--nofork")};
  arguments << QStringLiteral("--print-address");
  daemon_.start(program, arguments);
  if (!daemon_.waitForStarted(kSleepTestGuardMs)) {
    problem_ = "dbus-daemon did not start: " + daemon_.errorString().toStdString();
    return;
  }
  QDeadlineTimer guard(kSleepTestGuardMs);
  while (!daemon_.canReadLine() && !guard.hasExpired()) daemon_.waitForReadyRead(int(guard.remainingTime()));
  address_ = QString::fromUtf8(daemon_.readLine()).trimmed().toStdString();
  if (address_.empty()) problem_ = "dbus-daemon printed no address";
}

CPrivateBus::~CPrivateBus() {
  if (daemon_.state() == QProcess::NotRunning) return;
  daemon_.terminate();
  if (!daemon_.waitForFinished(kSleepTestGuardMs)) {
    daemon_.kill();
    daemon_.waitForFinished(kSleepTestGuardMs);
  }
}

CFakeLogind::CFakeLogind(const std::string& busAddress, bool ownsLogindName)
    : connectionName_(NextConnectionName()),
      bus_(QDBusConnection::connectToBus(QString::fromStdString(busAddress), connectionName_)) {
  if (!bus_.isConnected() || bus_.interface() == nullptr) return;
  ready_ = !ownsLogindName || bus_.registerService(QStringLiteral("org.freedesktop.login1"));
}

CFakeLogind::~CFakeLogind() { QDBusConnection::disconnectFromBus(connectionName_); }

void CFakeLogind::SendPrepareForSleepWith(const QVariantList& arguments) {
  QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/login1"),
                                                   QStringLiteral("org.freedesktop.login1.Manager"),
                                                   QStringLiteral("PrepareForSleep"));
  signal.setArguments(arguments);
  EXPECT_TRUE(bus_.send(signal)) << bus_.lastError().message().toStdString();
}

void CFakeLogind::Flush() {
  QDBusReply<QString> reply = bus_.interface()->serviceOwner(QStringLiteral("org.freedesktop.DBus"));
  EXPECT_TRUE(reply.isValid()) << reply.error().message().toStdString();
}
