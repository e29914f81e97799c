#pragma once

#include <QString>

// The product web site: every Online and support command opens a page under
// this address. There is no real site, so it lives under the reserved
// example domain.
inline const QString kProductSiteAddress = QStringLiteral("https://kolmira.example.com");
// How the site is named in the Online menu ("Visit " and this).
inline const QString kProductSiteName = QStringLiteral("Kolmira.example.com");
