// The bundled help and privacy pages, shown in a window of their own (in Japanese when Japanese is
// the user's first language).
#pragma once

class QWidget;

namespace HelpBrowser {

enum class Page { Help, Privacy };

void show(Page page, QWidget *parent);

} // namespace HelpBrowser
