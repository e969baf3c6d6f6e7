// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// One window per user and display: real starts of the program hand their
// paths to the running one, here a link in this process or a real start.
#include "instance_link.h"
#include "test_support.h"

#include <QLocalSocket>
#include <QProcess>
#include <QTest>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

class InstanceTest : public QObject {
    Q_OBJECT

    TempFolder folder;
    std::vector<std::vector<std::string>> received;

    // Each test has its own runtime folder, and so its own key.
    void init() {
        received.clear();
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(folder.path()));
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.path()));
        qputenv("DISPLAY", QByteArray(":") + QTest::currentTestFunction());
        ::unlink(InstanceSocketPath().c_str());
    }
    // The program started for real, with our environment, in the temporary folder.
    static QProcess* Start(const QStringList& arguments) {
        auto* program = new QProcess;
        program->setWorkingDirectory(QString::fromStdString(TempFolderPath()));
        program->start(qEnvironmentVariable("BRINDLECOT_PROGRAM"), arguments);
        return program;
    }
    static std::string& TempFolderPath() {
        static std::string path;
        return path;
    }
    // take: what the window answers, as a closing one says no.
    void Listen(InstanceLink& link, bool take = true) {
        QVERIFY(!link.HandOverOrListen({}));
        link.OnPathsHandedOver([this, take](std::vector<std::string> paths, const std::string&) {
            received.push_back(paths);
            return take;
        });
    }
    // Our event loop runs meanwhile: a link here answers the start.
    static void EndsAtOnceWithZero(QProcess& program) {
        QTRY_COMPARE_WITH_TIMEOUT(program.state(), QProcess::NotRunning, 30000);
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
    }

  private slots:
    void initTestCase() {
        QVERIFY(!qEnvironmentVariableIsEmpty("BRINDLECOT_PROGRAM"));
        TempFolderPath() = folder.path();
        // Only names with something there are handed over.
        ::mkdir((folder / "music").c_str(), 0755);
        for (const char* name :
             {"song.mp3", "-x.mp3", "a.mp3", "b.mp3", "music/b.mp3", "two\nlines.mp3"})
            WriteFile(folder / name, "");
    }

    void aSecondStartHandsItsPathsOverMadeAbsolute() {
        init();
        InstanceLink link;
        Listen(link);
        std::unique_ptr<QProcess> second(
            Start({"song.mp3", QString::fromStdString(folder / "music/b.mp3"), "two\nlines.mp3",
                   "--", "-x.mp3"}));
        EndsAtOnceWithZero(*second);
        QTRY_COMPARE(received.size(), std::size_t(1));
        QCOMPARE(received[0],
                 (std::vector<std::string>{folder / "song.mp3", folder / "music/b.mp3",
                                           folder / "two\nlines.mp3", folder / "-x.mp3"}));
    }

    void theFirstRealStartTakesTheSecondsPaths() {
        init();
        std::unique_ptr<QProcess> first(Start({}));
        QTRY_VERIFY_WITH_TIMEOUT(::access(InstanceSocketPath().c_str(), F_OK) == 0, 30000);
        std::unique_ptr<QProcess> second(Start({"a.mp3"}));
        EndsAtOnceWithZero(*second);
        // The first goes on: one window.
        QCOMPARE(first->state(), QProcess::Running);
        first->kill();
        first->waitForFinished();
    }

    void aStartHandedToAClosingWindowOpensItsOwn() {
        init();
        InstanceLink closing;
        Listen(closing, false);
        std::unique_ptr<QProcess> second(Start({"a.mp3"}));
        QTRY_COMPARE(received.size(), std::size_t(1));
        // The closing one listens no more; the second start does, in a window of its own.
        QTRY_VERIFY_WITH_TIMEOUT(::access(InstanceSocketPath().c_str(), F_OK) == 0, 30000);
        second->kill();
        second->waitForFinished();
    }

    // A message larger than a command line, or one that never ends, is
    // dropped and told; the window goes on taking starts.
    void aMessageIsBoundedInSizeAndTime() {
        init();
        std::unique_ptr<QProcess> first(Start({}));
        QTRY_VERIFY_WITH_TIMEOUT(::access(InstanceSocketPath().c_str(), F_OK) == 0, 30000);
        QLocalSocket endless, unfinished;
        for (QLocalSocket* socket : {&endless, &unfinished})
            socket->connectToServer(QString::fromStdString(InstanceSocketPath()));
        unfinished.write(QByteArray("\0/a.mp3", 7));
        while (endless.write(QByteArray(1 << 20, 'x')) > 0 && endless.waitForBytesWritten()) {
        }
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += first->readAllStandardError()).count("brindlecot: ") == 2,
                                 30000);
        std::unique_ptr<QProcess> second(Start({"a.mp3"}));
        EndsAtOnceWithZero(*second);
        first->kill();
        first->waitForFinished();
    }

    void aSocketLeftByACrashIsTakenOver() {
        init();
        // A socket file nobody listens on, as a killed instance leaves it.
        const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const std::string path = InstanceSocketPath();
        std::copy(path.begin(), path.end(), address.sun_path);
        QCOMPARE(::bind(stale, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(stale);

        InstanceLink link;
        Listen(link);
        std::unique_ptr<QProcess> second(Start({QString::fromStdString(folder / "a.mp3")}));
        EndsAtOnceWithZero(*second);
        QTRY_COMPARE(received.size(), std::size_t(1));
    }

    void helpAndVersionNeverHandOver() {
        init();
        InstanceLink link;
        Listen(link);
        for (const char* option : {"--help", "--version"}) {
            std::unique_ptr<QProcess> asked(Start({option}));
            EndsAtOnceWithZero(*asked);
            QVERIFY(asked->readAllStandardOutput().contains("brindlecot"));
        }
        // Hand-overs arrive in order: had either option handed over, it would be first.
        std::unique_ptr<QProcess> second(Start({QString::fromStdString(folder / "b.mp3")}));
        EndsAtOnceWithZero(*second);
        QTRY_COMPARE(received.size(), std::size_t(1));
        QCOMPARE(received[0], std::vector<std::string>{folder / "b.mp3"});
    }

    void twoDisplaysStayApart() {
        init();
        const std::string here = InstanceSocketPath();
        qputenv("DISPLAY", ":elsewhere");
        QVERIFY(InstanceSocketPath() != here);
    }

    void withoutARuntimeFolderOnlyAPrivateFolderInTmpServes() {
        init();
        qunsetenv("XDG_RUNTIME_DIR");
        const std::string own = "/tmp/brindlecot-" + std::to_string(::getuid());
        ::rmdir(own.c_str());
        QCOMPARE(InstanceSocketPath().rfind(own + "/", 0), std::size_t(0));
        struct stat info {};
        QCOMPARE(::stat(own.c_str(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0700u);
        // A folder others may write into is no place to meet: no link at all.
        ::chmod(own.c_str(), 0777);
        QCOMPARE(InstanceSocketPath(), std::string());
        InstanceLink alone("");
        QVERIFY(!alone.HandOverOrListen({"/a.mp3"}));
        ::chmod(own.c_str(), 0700);
        ::rmdir(own.c_str());
    }
};

QTEST_MAIN(InstanceTest)
#include "instance_test.moc"
