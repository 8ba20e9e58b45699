// Start-up: numbers in C format whatever the locale; one copy of the program per user (a second one
// says "Program running!" and ends with 0; the mark goes with the first process, however it ends).
#include "app/startup.h"

#include <QLocale>
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>
#include <clocale>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>

#include "app_test_support.h"
#include "platform/platform.h"
#include "test_support.h"

namespace fs = std::filesystem;
using velkor::test::DialogScript;

namespace {

// Whether process `pid` holds a flock, as the kernel lists it.
bool HoldsFlock(qint64 pid) {
  std::ifstream locks("/proc/locks");
  std::string line;
  const std::string id = " " + std::to_string(pid) + " ";
  while (std::getline(locks, line)) {
    if (line.find("FLOCK") != std::string::npos && line.find(id) != std::string::npos) return true;
  }
  return false;
}

bool WaitForFlock(const QProcess& process) {
  QDeadlineTimer deadline(20000);
  while (!deadline.hasExpired()) {
    if (HoldsFlock(process.processId())) return true;
    if (process.state() != QProcess::Running) return false;
    QTest::qWait(50);
  }
  return false;
}

}  // namespace

class StartupTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<velkor::test::ScratchDir> temp_;

  // Each program gets its own temporary folder, so its work folder and mark are this test's alone.
  void Start(QProcess& process) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), QString::fromStdString(temp_->path().string()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(VELKOR_PROGRAM), {});
    QVERIFY(process.waitForStarted());
  }

 private slots:
  void init() { temp_ = std::make_unique<velkor::test::ScratchDir>(); }
  void cleanup() { temp_.reset(); }

  void numbersUsePointWhateverTheLocale() {
    if (!std::setlocale(LC_ALL, "tr_TR.UTF-8")) QSKIP("tr_TR.UTF-8 is not installed");
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    velkor::app::UseCNumberFormat();
    QCOMPARE(std::string(std::localeconv()->decimal_point), std::string("."));
    QCOMPARE(QLocale().decimalPoint(), QStringLiteral("."));
    QCOMPARE(QString::number(1234.5), QStringLiteral("1234.5"));
    std::setlocale(LC_ALL, "C");
  }

  void secondCopyShowsProgramRunning() {
    qputenv("TMPDIR", QByteArray::fromStdString(temp_->path().string()));
    const std::string workFolder = velkor::platform::PrivateWorkFolder();
    auto first = velkor::platform::ClaimSingleInstance(velkor::app::kSingleInstanceName, workFolder);
    QVERIFY(!first->AlreadyRunning());
    QVERIFY(fs::exists(workFolder + velkor::app::kSingleInstanceName));

    DialogScript script;
    script.AcknowledgeBox();
    QCOMPARE(velkor::app::RunVelkor(*qApp), 0);
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].title, QStringLiteral("Velkor"));
    QCOMPARE(script.boxes()[0].text, QStringLiteral("Program running!"));
    QCOMPARE(script.boxes()[0].icon, QMessageBox::Warning);
    qunsetenv("TMPDIR");
  }

  void markThatCannotBeMadeEndsTheProgram() {
    qputenv("TMPDIR", QByteArray::fromStdString(temp_->path().string()));
    const std::string workFolder = velkor::platform::PrivateWorkFolder();
    fs::create_directory(workFolder + velkor::app::kSingleInstanceName);  // a folder where the mark goes
    DialogScript script;
    script.AcknowledgeBox();
    QCOMPARE(velkor::app::RunVelkor(*qApp), 0);
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].title, QStringLiteral("Velkor"));
    QCOMPARE(script.boxes()[0].text, QStringLiteral("Error memory allocation."));
    QCOMPARE(script.boxes()[0].icon, QMessageBox::Critical);
    qunsetenv("TMPDIR");
  }

  void secondProcessEndsAndKilledFirstReleasesTheMark() {
    QProcess first;
    Start(first);
    QVERIFY2(WaitForFlock(first), "the first copy never took the mark");

    QProcess second;
    Start(second);
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(second.readAllStandardError().contains("Program running!"));
    QCOMPARE(first.state(), QProcess::Running);

    ::kill(static_cast<pid_t>(first.processId()), SIGKILL);
    QVERIFY(first.waitForFinished(20000));

    QProcess third;
    Start(third);
    QVERIFY2(WaitForFlock(third), "a new copy could not start after the first was killed");
    QVERIFY(!third.readAllStandardError().contains("Program running!"));
    third.kill();
    QVERIFY(third.waitForFinished(20000));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
