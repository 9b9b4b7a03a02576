#include "find/findbuffer.h"

#include <QClipboard>
#include <QGuiApplication>

namespace FindBuffer {

namespace {

QString &ownBuffer()
{
    static QString buffer;
    return buffer;
}

QClipboard *platformBuffer()
{
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return nullptr;
    QClipboard *clipboard = QGuiApplication::clipboard();
    return clipboard && clipboard->supportsFindBuffer() ? clipboard : nullptr;
}

} // namespace

QString text()
{
    if (QClipboard *clipboard = platformBuffer())
        return clipboard->text(QClipboard::FindBuffer);
    return ownBuffer();
}

void setText(const QString &text)
{
    if (text.isEmpty())
        return;
    if (QClipboard *clipboard = platformBuffer())
        clipboard->setText(text, QClipboard::FindBuffer);
    else
        ownBuffer() = text;
}

} // namespace FindBuffer
