// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What a screen reader reads of a label: the text it shows, as its name
// (unless it was given one) and as its text, told again whenever it changes.
// Qt's own view of a label has no text, only a name.

class QLabel;
class QString;

// Every label's accessible object from now on is ours; calling it again does nothing.
void MakeLabelsReadable();

// Shows text in label and tells assistive technology: Qt tells the new name,
// we tell the new text.
void SetLabelText(QLabel& label, const QString& text);
