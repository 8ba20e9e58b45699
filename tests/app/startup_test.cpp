// Start-up: numbers in C format whatever the locale; one copy of the program per user (a second one
// says "Program running!" and ends with 0; the mark goes with the first process, however it ends).
#include "app/startup.h"

#include <QLocale>
#include <QProcess>
#include <QProcessEnvironment>
#include <QtTest>
#include <clocale>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "platform/platform.h"
#include "test_support.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#endif

namespace fs = std::filesystem;
using velkor::test::DialogScript;

namespace {

// Whether the started copy holds the single-instance mark, as the system lists it: on Windows the
// named mapping exists, elsewhere the kernel lists the process's flock.
bool HoldsMark(const QProcess& process) {
#ifdef _WIN32
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, velkor::app::kSingleInstanceName);
  if (mapping == nullptr) return false;
  CloseHandle(mapping);
  return process.state() == QProcess::Running;
#else
  std::ifstream locks("/proc/locks");
  std::string line;
  const std::string id = " " + std::to_string(process.processId()) + " ";
  while (std::getline(locks, line)) {
    if (line.find("FLOCK") != std::string::npos && line.find(id) != std::string::npos) return true;
  }
  return false;
#endif
}

bool WaitForMark(const QProcess& process) {
  QDeadlineTimer deadline(20000);
  while (!deadline.hasExpired()) {
    if (HoldsMark(process)) return true;
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

  // Where the system's temporary folder comes from: TMPDIR on POSIX systems, TMP and TEMP on Windows.
  static constexpr const char* kTemporaryFolderVariables[] = {"TMPDIR", "TMP", "TEMP"};
  QString Temporary() const { return QString::fromStdU16String(temp_->path().u16string()); }

  // This process's temporary folder is the scratch folder until the end of the scope.
  class TemporaryFolder {
   public:
    explicit TemporaryFolder(const QString& dir) {
      for (const char* name : kTemporaryFolderVariables) {
        saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
        qputenv(name, dir.toLocal8Bit());
      }
    }
    ~TemporaryFolder() {
      for (const auto& [name, value, set] : saved_) set ? void(qputenv(name, value)) : void(qunsetenv(name));
    }

   private:
    struct Saved {
      const char* name;
      QByteArray value;
      bool set;
    };
    std::vector<Saved> saved_;
  };

  // Each program gets its own temporary folder, so its work folder (and, but on Windows, its mark) is
  // this test's alone.
  void Start(QProcess& process) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : kTemporaryFolderVariables) env.insert(QString::fromLatin1(name), Temporary());
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
    const TemporaryFolder temporary(Temporary());
    const std::string workFolder = velkor::platform::PrivateWorkFolder();
    auto first = velkor::platform::ClaimSingleInstance(velkor::app::kSingleInstanceName, workFolder);
    QVERIFY(!first->AlreadyRunning());

    DialogScript script;
    script.AcknowledgeBox();
    QCOMPARE(velkor::app::RunVelkor(*qApp), 0);
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].title, QStringLiteral("Velkor"));
    QCOMPARE(script.boxes()[0].text, QStringLiteral("Program running!"));
    QCOMPARE(script.boxes()[0].icon, QMessageBox::Warning);
  }

  void markThatCannotBeMadeEndsTheProgram() {
    const TemporaryFolder temporary(Temporary());
#ifdef _WIN32
    // Another kind of object under the mark's name.
    HANDLE squatter = CreateMutexA(nullptr, FALSE, velkor::app::kSingleInstanceName);
    QVERIFY(squatter != nullptr);
    const auto release = qScopeGuard([squatter] { CloseHandle(squatter); });
#else
    // A folder where the mark goes.
    fs::create_directory(velkor::platform::PrivateWorkFolder() + velkor::app::kSingleInstanceName);
#endif
    DialogScript script;
    script.AcknowledgeBox();
    QCOMPARE(velkor::app::RunVelkor(*qApp), 0);
    QCOMPARE(script.boxes().size(), size_t{1});
    QCOMPARE(script.boxes()[0].title, QStringLiteral("Velkor"));
    QCOMPARE(script.boxes()[0].text, QStringLiteral("Error memory allocation."));
    QCOMPARE(script.boxes()[0].icon, QMessageBox::Critical);
  }

  void secondProcessEndsAndKilledFirstReleasesTheMark() {
    QProcess first;
    Start(first);
    QVERIFY2(WaitForMark(first), "the first copy never took the mark");

    QProcess second;
    Start(second);
    QVERIFY(second.waitForFinished(20000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(second.readAllStandardError().contains("Program running!"));
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();  // no chance to clean up: SIGKILL, or TerminateProcess on Windows
    QVERIFY(first.waitForFinished(20000));

    QProcess third;
    Start(third);
    QVERIFY2(WaitForMark(third), "a new copy could not start after the first was killed");
    QVERIFY(!third.readAllStandardError().contains("Program running!"));
    third.kill();
    QVERIFY(third.waitForFinished(20000));
  }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
