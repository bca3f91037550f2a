// SPDX-FileCopyrightText: 2026 Tessaly developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QStringView>

// The character references of bookmark files: decoded when read, written
// for the five characters that HTML gives a meaning.
namespace HtmlEntities {

// Decodes &amp; &lt; &gt; &quot; &apos; &nbsp; and numeric references
// (&#39; &#x27;); any other "&" is kept as it stands.
QString decode(QStringView text);

// & < > " ' as &amp; &lt; &gt; &quot; &#39;.
QString escape(QStringView text);

}  // namespace HtmlEntities
