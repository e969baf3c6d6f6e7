// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Our texts in the user's language. The texts in the code are Japanese; every
// other language is a translation built from translations/brindlecot_<code>.ts.

#include <QFont>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

// The languages our translations are built for ("en", "pt_BR", ...).
QStringList AvailableLanguages();

// Which language a user with these UI languages (most wanted first) reads:
// "ja", the texts as written, with Qt's own in Japanese; empty for the C and
// POSIX locales, which read the texts as written and Qt's own as Qt wrote
// them; else the first of theirs that we have a translation for, English when
// none. A translation for a language and country ("zh_TW") also serves the
// other countries that write that language in the same script ("zh-HK").
QString ChosenLanguage(const QStringList& uiLanguages, const QStringList& available);

// Puts our translation and Qt's own (standard buttons and the like) for the
// chosen language in place for the application's lifetime, or as long as it
// lives; the default QLocale is that language meanwhile.
class UserLanguage {
  public:
    explicit UserLanguage(const QStringList& uiLanguages = QLocale::system().uiLanguages());
    UserLanguage(const UserLanguage&) = delete;
    UserLanguage& operator=(const UserLanguage&) = delete;
    ~UserLanguage();
    // "ja" or empty when our texts are shown as written.
    const QString& Language() const { return language_; }

  private:
    QString language_;
    QLocale before_;
    QTranslator ours_;
    QTranslator qts_;
};

// The window's font, 12 pixels high, for the language of our texts (the
// default QLocale's): a gothic font that has every character of the
// language, drawn as that language writes it, and whose lines fit the
// window's 13-pixel rows.
QFont WindowFont();
