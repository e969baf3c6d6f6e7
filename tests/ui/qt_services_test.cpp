// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The real boxes, driven by timers while they wait.
#include "qt_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

class QtServicesTest : public QObject {
    Q_OBJECT

    // Runs act on the box once it is shown. A check that fails returns from
    // act at once: the box is closed all the same, so the test fails now.
    static void WhenShown(std::function<void(QMessageBox&)> act) {
        QTimer::singleShot(0, [act] {
            const auto close = qScopeGuard([] {
                if (QWidget* box = QApplication::activeModalWidget())
                    box->close();
            });
            QTRY_VERIFY(qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr);
            act(*qobject_cast<QMessageBox*>(QApplication::activeModalWidget()));
        });
    }
    static QAbstractButton* Button(QMessageBox& box, const QString& text) {
        for (QAbstractButton* button : box.buttons())
            if (button->text() == text)
                return button;
        return nullptr;
    }

  private slots:
    void initTestCase() { QApplication::setApplicationName("brindlecot"); }

    void confirmationLooksAndAnswersAsAWindowsBox() {
        QtBoxes boxes;
        WhenShown([](QMessageBox& box) {
            QCOMPARE(box.windowTitle(), QString("確認"));
            QCOMPARE(box.icon(), QMessageBox::Question);
            QCOMPARE(box.text(), QString("処理済みのリストを削除しますか？"));
            QCOMPARE(box.buttons().size(), 2);
            QCOMPARE(box.defaultButton(), Button(box, "はい(&Y)"));
            QCOMPARE(box.escapeButton(), Button(box, "いいえ(&N)"));
            Button(box, "はい(&Y)")->click();
        });
        QCOMPARE(boxes.Confirm("処理済みのリストを削除しますか？", ConfirmButtons::YesNo),
                 ConfirmAnswer::Yes);

        WhenShown([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
        QCOMPARE(boxes.Confirm("?", ConfirmButtons::YesNo), ConfirmAnswer::No);

        WhenShown([](QMessageBox& box) { box.close(); });
        QCOMPARE(boxes.Confirm("?", ConfirmButtons::YesNo), ConfirmAnswer::None);
    }

    // A question whose yes replaces files: no stray key may answer it.
    void aQuestionThatDestroysDefaultsToNo() {
        QtBoxes boxes;
        WhenShown([](QMessageBox& box) {
            QCOMPARE(box.buttons().size(), 2);
            QCOMPARE(box.defaultButton(), Button(box, "いいえ(&N)"));
            QCOMPARE(box.escapeButton(), Button(box, "いいえ(&N)"));
            QTest::keyClick(&box, Qt::Key_Return);
        });
        QCOMPARE(boxes.Confirm("?", ConfirmButtons::YesNoDefaultNo), ConfirmAnswer::No);
        WhenShown([](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); });
        QCOMPARE(boxes.Confirm("?", ConfirmButtons::YesNoDefaultNo), ConfirmAnswer::No);
        WhenShown([](QMessageBox& box) { box.close(); });
        QCOMPARE(boxes.Confirm("?", ConfirmButtons::YesNoDefaultNo), ConfirmAnswer::None);
        WhenShown([](QMessageBox& box) { Button(box, "はい(&Y)")->click(); });
        QCOMPARE(boxes.Confirm("?", ConfirmButtons::YesNoDefaultNo), ConfirmAnswer::Yes);
    }

    void theSingleOkButtonIsDefaultAndEscape() {
        QtBoxes boxes;
        WhenShown([](QMessageBox& box) {
            QCOMPARE(box.buttons().size(), 1);
            QCOMPARE(box.defaultButton(), Button(box, "OK"));
            QTest::keyClick(&box, Qt::Key_Escape);
        });
        QCOMPARE(boxes.Confirm("x ディレクトリは存在しません", ConfirmButtons::Ok),
                 ConfirmAnswer::Ok);
        WhenShown([](QMessageBox& box) { box.close(); });
        QCOMPARE(boxes.Confirm("x", ConfirmButtons::Ok), ConfirmAnswer::None);
    }

    void messageAndErrorBoxesCarryTheProgramsName() {
        QtBoxes boxes;
        WhenShown([](QMessageBox& box) {
            QCOMPARE(box.windowTitle(), QString("brindlecot"));
            QCOMPARE(box.icon(), QMessageBox::NoIcon);
            QCOMPARE(box.text(), QString("中断しました"));
            box.buttons().front()->click();
        });
        boxes.Message("中断しました");
        WhenShown([](QMessageBox& box) {
            QCOMPARE(box.windowTitle(), QString("brindlecot"));
            QCOMPARE(box.icon(), QMessageBox::Critical);
            QCOMPARE(box.buttons().size(), 1);
            box.buttons().front()->click();
        });
        boxes.Error("設定ファイルを書けません.");
        // A batch's report carries each failure in details that can be selected and copied.
        WhenShown([](QMessageBox& box) {
            QCOMPARE(box.detailedText(), QString("a.mp3: MPEGオーディオとして読めません\n"));
            box.buttons().front()->click();
        });
        boxes.Report("0件を変換しました", "a.mp3: MPEGオーディオとして読めません\n");
    }

    void everyBoxShowsItsWholeCaptionAndButtonsWithoutIcons() {
        QtBoxes boxes;
        const auto check = [](QMessageBox& box) {
            QVERIFY(box.width() >= box.fontMetrics().horizontalAdvance(box.windowTitle()) + 100);
            for (QAbstractButton* button : box.buttons())
                QVERIFY(button->icon().isNull());
            box.buttons().front()->click();
        };
        WhenShown(check);
        boxes.Message("x");
        WhenShown(check);
        boxes.Confirm("x", ConfirmButtons::YesNo);
        WhenShown(check);
        boxes.Error("x");
    }

    void theDefaultApplicationComesFromTheDesktopsLists() {
        // The MIME database is read from the system's folders before ours replace them.
        QCOMPARE(QMimeDatabase().mimeTypeForFile("a.mp3").name(), QString("audio/mpeg"));
        QTemporaryDir home;
        const QString config = home.path() + "/config", data = home.path() + "/data";
        QDir().mkpath(config);
        QDir().mkpath(data + "/applications");
        qputenv("XDG_CONFIG_HOME", config.toUtf8());
        qputenv("XDG_CONFIG_DIRS", (home.path() + "/none").toUtf8());
        qputenv("XDG_DATA_HOME", data.toUtf8());
        qputenv("XDG_DATA_DIRS", (home.path() + "/none").toUtf8());
        const auto write = [](const QString& path, const QByteArray& text) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(text);
        };
        QCOMPARE(DefaultApplication("audio/mpeg"), std::string());
        // No player: the only application that takes MP3s is this one.
        write(data + "/applications/mimeinfo.cache",
              "[MIME Cache]\naudio/mpeg=brindlecot.desktop;\n");
        QCOMPARE(DefaultApplication("audio/mpeg"), std::string("brindlecot.desktop"));
        XdgDesktopShell shell;
        QVERIFY(shell.OpensWithThisProgram("/music/a.mp3"));
        QVERIFY(!shell.OpensWithThisProgram("/music/a.txt"));
        // The user's choice comes first.
        write(config + "/mimeapps.list",
              "[Added Associations]\naudio/mpeg=other.desktop;\n"
              "[Default Applications]\naudio/mpeg=player.desktop;brindlecot.desktop\n");
        QCOMPARE(DefaultApplication("audio/mpeg"), std::string("player.desktop"));
        QVERIFY(!shell.OpensWithThisProgram("/music/a.mp3"));
    }
};

QTEST_MAIN(QtServicesTest)
#include "qt_services_test.moc"
