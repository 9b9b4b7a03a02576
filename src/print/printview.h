// The pages of one print job: how many the chosen style needs and what each shows. Drawing goes
// to any QPainter in points with the page's top-left at (0, 0), so printers, PDF files, the
// preview and tests share it.
#pragma once

#include "print/printlayout.h"
#include "record/entries.h"

#include <QVariantMap>
#include <optional>

class QPainter;
class QPagedPaintDevice;

// What a label or envelope draws: the text and how it is set.
struct TextObject
{
    QString text;
    QString fontName;
    qreal fontSize = 10;
    bool printVertical = false;
    QString verticalFontName;
    QString textDirection;

    // Draws the text in the rectangle: horizontal from its top-left, or in columns from its right.
    void draw(QPainter &painter, const QRectF &rect) const;
};

class PrintView
{
public:
    PrintView(const SubContactRows &rows, const QVariantMap &options, const PageGeometry &page);

    void setOptions(const QVariantMap &options);
    void setPage(const PageGeometry &page);
    // In a preview (not printing) the paper of labels and envelopes is shown.
    void setPrinting(bool printing) { m_printing = printing; }
    bool printing() const { return m_printing; }
    // The sender of envelopes and postcards: a contact and which of its addresses.
    void setSender(const SubContactRow &sender) { m_sender = sender; }
    // The sender with the address chosen by "senderLabel"; empty without a sender.
    std::optional<SubContactRow> sender() const;
    // Where the envelope's sender block goes: the upper left, or the lower left for vertical text.
    QRectF envelopeSenderRect() const;

    QString style() const;
    int pageCount() const;
    // page counts from 0; page 0 shows the first contacts.
    void drawPage(QPainter &painter, int page) const;
    // Every page on a device whose painter works in points (72 dpi); false when it cannot paint.
    bool render(QPagedPaintDevice &device) const;

    // The text object of a row for envelopes: text, font fitted to the envelope's text rectangle.
    TextObject envelopeTextObject(const SubContactRow &row) const;
    QRectF envelopeTextRect() const;

private:
    const AddressListLayout &addressList() const;
    void drawAddressList(QPainter &painter, int page) const;
    static void drawLine(QPainter &painter, const PrintLine &line, QPointF origin);
    void drawLabels(QPainter &painter, int page) const;
    void drawEnvelope(QPainter &painter, int page) const;
    void drawHagaki(QPainter &painter, int page) const;
    void drawPaperBackground(QPainter &painter) const;
    void drawEnvelopeSender(QPainter &painter, qreal receiverSize) const;
    QString textFontName() const;

    SubContactRows m_rows;
    QVariantMap m_options;
    PageGeometry m_page;
    std::optional<SubContactRow> m_sender;
    bool m_printing = true;
    mutable std::optional<AddressListLayout> m_addressList;
};
