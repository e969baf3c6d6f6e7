// SPDX-FileCopyrightText: 2026 brindlecot developers <brindlecot@brindlecot.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "processing_list.h"

#include <QIcon>
#include <QPixmap>

// The 16 x 16 state pictures of the list and the legend, drawn on white.
QPixmap StatePicture(ItemState state);
// The same as an image of a rich text, such as a hint.
QString StatePictureHtml(ItemState state);

// The program's icon.
QIcon ProgramIcon();
