// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "user_language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>

namespace {

constexpr auto kFolder = ":/i18n";
constexpr auto kPrefix = "brindlecot_";

} // namespace

QStringList AvailableLanguages() {
    QStringList languages;
    for (const QString& name : QDir(kFolder).entryList({QString(kPrefix) + "*.qm"}, QDir::Files))
        languages.append(name.mid(int(std::char_traits<char>::length(kPrefix))).chopped(3));
    return languages;
}

QString ChosenLanguage(const QStringList& uiLanguages, const QStringList& available) {
    for (const QString& wanted : uiLanguages) {
        // "de-DE" names a language and its country; "de" the language alone.
        const QString code = QString(wanted).replace('-', '_');
        const QString language = code.section('_', 0, 0);
        if (language == "C" || language == "POSIX" || language.isEmpty())
            return {};
        if (language == "ja")
            return language;
        if (available.contains(code))
            return code;
        if (available.contains(language))
            return language;
        const QLocale::Script script = QLocale(wanted).script();
        for (const QString& ours : available)
            if (ours.section('_', 0, 0) == language && QLocale(ours).script() == script)
                return ours;
    }
    return "en";
}

UserLanguage::UserLanguage(const QStringList& uiLanguages)
    : language_(ChosenLanguage(uiLanguages, AvailableLanguages())) {
    QLocale::setDefault(language_.isEmpty() ? QLocale::c() : QLocale(language_));
    // Our texts are Japanese as written (the C locale's too): there is no
    // brindlecot_ja to load.
    if (!language_.isEmpty() && ours_.load(QString(kPrefix) + language_, kFolder))
        QCoreApplication::installTranslator(&ours_);
    // Qt's own texts in the language of ours; a language Qt has no translation
    // for keeps them English.
    const QString qtLanguage = language_.isEmpty() ? QString("ja") : language_;
    if (qts_.load("qtbase_" + qtLanguage, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qts_);
}

UserLanguage::~UserLanguage() {
    QCoreApplication::removeTranslator(&qts_);
    QCoreApplication::removeTranslator(&ours_);
    QLocale::setDefault(before_);
}

QFont WindowFont() {
    // IPAPGothic has kana, the kanji of Japanese and the Latin letters, but
    // no Hangul, only part of the Chinese characters, and the shared ones in
    // their Japanese forms. Noto Sans CJK, taller than a 13-pixel row, would
    // be cut at its foot.
    QString family = "IPAPGothic";
    switch (QLocale().script()) {
    case QLocale::SimplifiedHanScript:
    case QLocale::TraditionalHanScript:
        family = "WenQuanYi Micro Hei";
        break;
    case QLocale::KoreanScript:
        family = "NanumGothic";
        break;
    default:
        break;
    }
    QFont font;
    font.setFamilies({family, "IPAPGothic"});
    font.setPixelSize(12);
    return font;
}
