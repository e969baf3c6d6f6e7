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
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTest>

class TranslationTest : public QObject {
    Q_OBJECT

    struct Window {
        QuietBoxes boxes;
        NoFolderChooser chooser;
        NoDesktopShell shell;
        TForm1 form{{boxes, chooser, shell, [] { return std::string("/nonexistent/lame"); },
                     "/nonexistent/brindlecot.ini"}};
    };

    static QString ConvertButtonFor(const QStringList& languages) {
        const UserLanguage language(languages);
        return Window().form.Button2->text();
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
        const char* question = "出力先に同じ名前のファイルが%n件あります。上書きしますか？";
        QCOMPARE(Translate("BatchDriver", question, nullptr, 1),
                 "1 WAV file already exists. Replace it?");
        QCOMPARE(Translate("BatchDriver", question, nullptr, 2),
                 "2 WAV files already exist. Replace them?");
    }

    static void TextsFitTheirControls(const char* language) {
        const UserLanguage chosen({language});
        const Window window;
        window.form.Label6->setText("999999 KB"); // the widest size, before MB
        int checked = 0;
        for (QWidget* control : window.form.findChildren<QWidget*>()) {
            const bool group = qobject_cast<QGroupBox*>(control);
            const QString text = control->property(group ? "title" : "text").toString();
            if (text.isEmpty() || !(group || qobject_cast<QLabel*>(control) ||
                                    qobject_cast<QAbstractButton*>(control)))
                continue;
            // The text's width with the style's margins, against the room for it.
            const QFontMetrics metrics = control->fontMetrics();
            const QStyle* style = control->style();
            QStyleOptionButton option;
            option.initFrom(control);
            QSize room = group ? control->size() : control->contentsRect().size();
            int width = metrics.horizontalAdvance(text), height = metrics.height();
            if (qobject_cast<QPushButton*>(control)) {
                room =
                    style->subElementRect(QStyle::SE_PushButtonContents, &option, control).size();
                width += 2 * style->pixelMetric(QStyle::PM_ButtonMargin, &option, control);
            } else if (qobject_cast<QCheckBox*>(control)) {
                // The focus frame is drawn around the text.
                room = style->subElementRect(QStyle::SE_CheckBoxContents, &option, control).size();
                width += 2 * style->pixelMetric(QStyle::PM_FocusFrameHMargin, &option, control);
            } else if (group) {
                width += 8 + 4 + 8; // on the frame from 8 px in, as much left at the right
            } else {
                // A label's line starts at its top: descenders must be inside it too.
                height = metrics.ascent() + metrics.tightBoundingRect(text).bottom() + 1;
            }
            QVERIFY2(width <= room.width() && height <= room.height(), qPrintable(text));
            ++checked;
        }
        QVERIFY(checked >= 19);
    }

    void everyTextFitsItsControl() {
        TextsFitTheirControls("en");
        TextsFitTheirControls("ja");
    }

    void qtsOwnTextsAreInTheLanguageOfOurs() {
        // Debian ships Qt's German, but our texts are English for a German
        // user: the standard buttons must not be German beside them.
        const UserLanguage german({"de-DE"});
        QCOMPARE(german.Language(), QString("en"));
        QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString("Cancel"));
        // Under Japanese texts, the C locale's too, they are Japanese.
        const UserLanguage japanese({"C"});
        QMessageBox japaneseBox(QMessageBox::NoIcon, "", "", QMessageBox::Cancel);
        QCOMPARE(japaneseBox.button(QMessageBox::Cancel)->text(), QString("キャンセル"));
    }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
