// The real boxes, driven by timers while they wait.
#include "qt_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

class QtServicesTest : public QObject {
    Q_OBJECT

    // Runs act on the box once it is shown.
    static void WhenShown(std::function<void(QMessageBox&)> act) {
        QTimer::singleShot(0, [act] {
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
    }
};

QTEST_MAIN(QtServicesTest)
#include "qt_services_test.moc"
