// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The texts a user reads, chosen by the user's languages.
#include "Unit1.h"
#include "command_line.h"
#include "quiet_services.h"
#include "user_language.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

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

  private slots:
    void japaneseAndTheCLocaleReadTheTextsAsWritten() {
        const QStringList available{"en", "de"};
        QCOMPARE(ChosenLanguage({"ja-JP", "ja-Jpan-JP", "ja"}, available), QString());
        QCOMPARE(ChosenLanguage({"C"}, available), QString());
        QCOMPARE(ChosenLanguage({"POSIX"}, available), QString());
        QCOMPARE(ChosenLanguage({}, available), QString("en"));
        QCOMPARE(ChosenLanguage({"ja", "en"}, available), QString());
    }

    void everyOtherLanguageReadsItsOwnOrEnglish() {
        const QStringList available{"en", "de", "pt_BR"};
        QCOMPARE(ChosenLanguage({"en-US", "en-Latn-US", "en"}, available), QString("en"));
        QCOMPARE(ChosenLanguage({"de-AT", "de-Latn-AT", "de"}, available), QString("de"));
        QCOMPARE(ChosenLanguage({"pt-BR"}, available), QString("pt_BR"));
        QCOMPARE(ChosenLanguage({"fr-FR", "fr"}, available), QString("en"));
        // A Japanese second choice does not beat a first one we have.
        QCOMPARE(ChosenLanguage({"de", "ja"}, available), QString("de"));
        QCOMPARE(ChosenLanguage({"fr", "ja"}, available), QString());
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

    void qtsOwnTextsAreInTheLanguageOfOurs() {
        // Debian ships Qt's German, but our texts are English for a German
        // user: the standard buttons must not be German beside them.
        const UserLanguage german({"de-DE"});
        QCOMPARE(german.Language(), QString("en"));
        QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString("Cancel"));
    }
};

QTEST_MAIN(TranslationTest)
#include "translation_test.moc"
