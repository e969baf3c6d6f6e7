// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The texts a user reads, chosen by the user's languages.
#include "Unit1.h"
#include "command_line.h"
#include "quiet_services.h"
#include "text.h"
#include "user_language.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRawFont>
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
        // Chinese by its script, wherever it is written.
        QCOMPARE(ChosenLanguage({"zh-HK", "zh"}, {"zh_CN", "zh_TW"}), QString("zh_TW"));
        QCOMPARE(ChosenLanguage({"zh"}, {"zh_CN", "zh_TW"}), QString("zh_CN"));
        // A Japanese second choice does not beat a first one we have.
        QCOMPARE(ChosenLanguage({"de", "ja"}, available), QString("de"));
        QCOMPARE(ChosenLanguage({"fr", "ja"}, available), QString("ja"));
    }

    void eachLanguageComesFromItsLocale() {
        QVERIFY(AvailableLanguages().size() >= 7);
        for (const QString& code : AvailableLanguages()) {
            const UserLanguage chosen(QLocale(code).uiLanguages());
            QCOMPARE(chosen.Language(), code);
            QVERIFY(Window().form.Button2->text() != "変換");
            // Qt's own texts, the standard buttons, in the same language.
            QTranslator qts;
            QVERIFY(qts.load("qtbase_" + code, QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
            const QString cancel = qts.translate("QPlatformTheme", "Cancel");
            QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Cancel);
            QCOMPARE(box.button(QMessageBox::Cancel)->text(), cancel.isEmpty() ? "Cancel" : cancel);
        }
    }

    void theWindowAndTheCoreSpeakTheChosenLanguage() {
        QCOMPARE(ConvertButtonFor({"ja-JP"}), QString("変換"));
        QCOMPARE(ConvertButtonFor({"C"}), QString("変換"));
        QCOMPARE(ConvertButtonFor({"ru-RU"}), QString("Convert"));
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

    static void TextsFitTheirControls(const QString& language) {
        const UserLanguage chosen({language});
        const Window window;
        // The font asked for is there, and has every character itself.
        const QFont font = window.form.font();
        QCOMPARE(QFontInfo(font).family(), font.families().first());
        const QRawFont glyphs = QRawFont::fromFont(font);
        // The widest size, before MB: a change a screen reader hears below.
        window.form.Label6->setText("999999 KB");
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
            const QByteArray what = (language + ": " + text).toUtf8();
            QVERIFY2(width <= room.width() && height <= room.height(), what);
            for (const QChar character : text)
                QVERIFY2(glyphs.supportsCharacter(character), what);
            // A screen reader hears the caption, a label's text as its text too.
            QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(control);
            QCOMPARE(heard->text(QAccessible::Name), QString(text).remove('&'));
            if (qobject_cast<QLabel*>(control))
                QCOMPARE(heard->textInterface()->text(0, int(text.size())), text);
            ++checked;
        }
        QVERIFY(checked >= 19);
    }

    void everyTextFitsItsControl() {
        for (const QString& language : AvailableLanguages() + QStringList{"ja"})
            TextsFitTheirControls(language);
    }

    void qtsOwnTextsAreInTheLanguageOfOurs() {
        // Debian ships Qt's Russian, but our texts are English for a Russian
        // user: the standard buttons must not be Russian beside them.
        const UserLanguage russian({"ru-RU"});
        QCOMPARE(russian.Language(), QString("en"));
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
