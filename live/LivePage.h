#pragma once

#include "live/LiveRoutes.h"

#include <QStringList>

/// The page, its style and its script as the program carries them (resources of the program;
/// no file is read from anywhere else), the page in the program's language.
LiveAssets livePageAssets();

/// `html` in the program's language: the page's own texts replaced by their translations, and the
/// texts the script writes handed to it in the attribute `data-texts` of the root element (a JSON
/// object from the German text to the shown one). Unchanged when the program speaks German.
QByteArray localizedLivePage(const QByteArray& html);

/// The German texts of the page and its script that `localizedLivePage` translates.
QStringList livePageSourceTexts();
