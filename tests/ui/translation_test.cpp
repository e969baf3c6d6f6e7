// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The texts a user reads, chosen by the user's languages.
#include "Unit1.h"
#include "command_line.h"
#include "quiet_services.h"
#include "text.h"
#include "user_language.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QtTest>

#include <memory>

class TranslationTest : public QObject {
    Q_OBJECT

    static QString ConvertButtonFor(const QStringList& languages) {
        const UserLanguage language(languages);
        QuietBoxes boxes;
        NoFolderChooser chooser;
        NoDesktopShell shell;
        TForm1 form({boxes, chooser, shell, [] { return std::string("/nonexistent/lame"); },
                     "/nonexistent/brindlecot.ini"});
        return form.Button2->text();
    }

    // The room a control's text needs in the control's font, with the style's
    // margins, and the room the control has for it.
    static std::pair<QSize, QSize> TextRoom(QWidget* control) {
        const QFontMetrics metrics = control->fontMetrics();
        const QStyle* style = control->style();
        QStyleOptionButton option;
        option.initFrom(control);
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, &option, button);
            return {{metrics.horizontalAdvance(button->text()) + 2 * margin, metrics.height()},
                    style->subElementRect(QStyle::SE_PushButtonContents, &option, button).size()};
        }
        if (auto* box = qobject_cast<QCheckBox*>(control)) {
            // The focus frame is drawn around the text.
            const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, box);
            return {{metrics.horizontalAdvance(box->text()) + 2 * margin, metrics.height()},
                    style->subElementRect(QStyle::SE_CheckBoxContents, &option, box).size()};
        }
        if (auto* group = qobject_cast<QGroupBox*>(control)) {
            // The title stands on the frame from 8 px in; as much is left at the right.
            return {{8 + metrics.horizontalAdvance(group->title()) + 4 + 8, metrics.height()},
                    group->size()};
        }
        // A label's line starts at its top: descenders must be inside it too.
        const QString text = qobject_cast<QLabel*>(control)->text();
        const QRect ink = metrics.tightBoundingRect(text);
        return {{std::max(metrics.horizontalAdvance(text), ink.right() + 1),
                 metrics.ascent() + ink.bottom() + 1},
                control->contentsRect().size()};
    }

  private slots:
    void japaneseAndTheCLocaleReadTheTextsAsWritten() {
        const QStringList available{"en", "de"};
        QCOMPARE(ChosenLanguage({"ja-JP", "ja-Jpan-JP", "ja"}, available), QString("ja"));
        QCOMPARE(ChosenLanguage({"C"}, available), QString());
        QCOMPARE(ChosenLanguage({"POSIX"}, available), QString());
        QCOMPARE(ChosenLanguage({}, available), QString("en"));
        QCOMPARE(ChosenLanguage({"ja", "en"}, available), QString("ja"));
    }

    void everyOtherLanguageReadsItsOwnOrEnglish() {
        const QStringList available{"en", "de", "pt_BR"};
        QCOMPARE(ChosenLanguage({"en-US", "en-Latn-US", "en"}, available), QString("en"));
        QCOMPARE(ChosenLanguage({"de-AT", "de-Latn-AT", "de"}, available), QString("de"));
        QCOMPARE(ChosenLanguage({"pt-BR"}, available), QString("pt_BR"));
        QCOMPARE(ChosenLanguage({"fr-FR", "fr"}, available), QString("en"));
        // A Japanese second choice does not beat a first one we have.
        QCOMPARE(ChosenLanguage({"de", "ja"}, available), QString("de"));
        QCOMPARE(ChosenLanguage({"fr", "ja"}, available), QString("ja"));
    }

    void theEnglishTranslationIsBuiltIn() { QVERIFY(AvailableLanguages().contains("en")); }

    void theWindowAndTheCoreSpeakTheChosenLanguage() {
        QCOMPARE(ConvertButtonFor({"ja-JP"}), QString("変換"));
        QCOMPARE(ConvertButtonFor({"C"}), QString("変換"));
        QCOMPARE(ConvertButtonFor({"fr-FR"}), QString("Convert"));
        {
            const UserLanguage english({"en-GB"});
            QVERIFY(UsageText().starts_with("Usage: brindlecot"));
        }
        QVERIFY(UsageText().starts_with("使い方: brindlecot"));
    }

    void textsWithACountAgreeWithIt() {
        const UserLanguage english({"en"});
        const char* question = "出力先に同じ名前のファイルが %n 件あります。上書きしますか？";
        QCOMPARE(Translate("BatchDriver", question, nullptr, 1),
                 "1 file of the same name is already at the output. Replace it?");
        QCOMPARE(Translate("BatchDriver", question, nullptr, 2),
                 "2 files of the same name are already at the output. Replace them?");
        QCOMPARE(Translate("BatchDriver", "%n件のファイルを変換できませんでした", nullptr, 1),
                 "1 file could not be converted");
    }

    void everyEnglishTextFitsItsControl() {
        const UserLanguage english({"en"});
        QuietBoxes boxes;
        NoFolderChooser chooser;
        NoDesktopShell shell;
        TForm1 form({boxes, chooser, shell, [] { return std::string("/nonexistent/lame"); },
                     "/nonexistent/brindlecot.ini"});
        int checked = 0;
        for (QWidget* control : form.findChildren<QWidget*>()) {
            const auto* label = qobject_cast<QLabel*>(control);
            if (!qobject_cast<QPushButton*>(control) && !qobject_cast<QCheckBox*>(control) &&
                !qobject_cast<QGroupBox*>(control) && !(label && !label->text().isEmpty()))
                continue;
            const auto [needed, room] = TextRoom(control);
            QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(),
                     qPrintable(QString("%1: needs %2 x %3, has %4 x %5")
                                    .arg(control->accessibleName())
                                    .arg(needed.width())
                                    .arg(needed.height())
                                    .arg(room.width())
                                    .arg(room.height())));
            ++checked;
        }
        QVERIFY(checked >= 19);
    }

    void qtsOwnTextsAreInTheLanguageOfOurs() {
        // Debian ships Qt's German, but our texts are English for a German
        // user: the standard buttons must not be German beside them.
        const UserLanguage german({"de-DE"});
        QCOMPARE(german.Language(), QString("en"));
        QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString("Cancel"));
    }

    void qtsOwnTextsAreJapaneseUnderJapanese() {
        // The folder chooser's edit box: its menu is Qt's.
        const UserLanguage japanese({"ja-JP"});
        QLineEdit edit;
        const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QCOMPARE(menu->actions().first()->text().section('\t', 0, 0), QString("元に戻す(&U)"));
    }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
