#include "../testutil.h"
#include "print/hagakilayout.h"
#include "print/keys.h"
#include "print/printlayout.h"
#include "print/printmetrics.h"
#include "print/printoptions.h"
#include "print/printview.h"
#include "record/keys.h"
#include "record/qvperson.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {

SubContactRow rowOf(const QString &first, const QString &last, int noteLines = 0)
{
    QVPerson::ensureClassInitialized();
    PersonPtr person = QVPerson::create();
    person->setValue(QVariantMap { { FieldId::FirstName, first }, { FieldId::LastName, last } },
                     FieldId::Name);
    if (noteLines > 0) {
        QStringList lines;
        for (int i = 0; i < noteLines; ++i)
            lines.append(qs("note line %1").arg(i));
        person->setValue(lines.join(QLatin1Char('\n')), FieldId::Note);
    }
    SubContactRow row;
    row.person = person;
    row.uniqueId = person->uniqueId();
    return row;
}

QVariantMap optionsFor(const QString &style)
{
    QVariantMap options = PrintOptions::createPrintOptions();
    options.insert(PrintKey::PrintStyle, style);
    options.insert(PrintKey::FontName, PrintFont::JapaneseFallback);
    return options;
}

QVariantMap withStyleOption(QVariantMap options, const QString &style, const QString &key,
                            const QVariant &value)
{
    QVariantMap styleOptions = PrintOptions::styleOptions(options, style);
    styleOptions.insert(key, value);
    options.insert(PrintOptions::styleOptionsKey(style), styleOptions);
    return options;
}

QVariantMap withNotesPrinted(QVariantMap options)
{
    QVariantList items
        = PrintOptions::itemTableForColumns(PrintOptions::defaultItemTable(), { FieldId::Note });
    return withStyleOption(options, PrintStyle::AddressList, StyleKey::ItemTable, items);
}

QVariantMap labelOptions(qreal width, qreal height, qreal hGap, qreal vGap, int repeat = 1)
{
    QVariantMap options = optionsFor(PrintStyle::MailingLabels);
    QVariantMap labels = PrintOptions::styleOptions(options, PrintStyle::MailingLabels);
    labels.insert(StyleKey::LabelWidth, QString::number(width));
    labels.insert(StyleKey::LabelHeight, QString::number(height));
    labels.insert(StyleKey::HGap, QString::number(hGap));
    labels.insert(StyleKey::VGap, QString::number(vGap));
    labels.insert(StyleKey::RepeatCount, repeat);
    options.insert(PrintKey::MailingLabelsOptions, labels);
    return options;
}

const PageGeometry letter = PageGeometry::fullPage(QSizeF(612, 792));

QImage drawnPage(const PrintView &view, QSizeF paper, int page = 0)
{
    QImage image(paper.toSize(), QImage::Format_RGB32);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    QPainter painter(&image);
    view.drawPage(painter, page);
    return image;
}

int inkIn(const QImage &image, const QRectF &area, int threshold = 128)
{
    int inked = 0;
    const QRect pixels = area.toAlignedRect() & image.rect();
    for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
        for (int x = pixels.left(); x <= pixels.right(); ++x)
            inked += qGray(image.pixel(x, y)) < threshold ? 1 : 0;
    }
    return inked;
}

TEST(LabelGeometry, TilesThePageAndCountsOnlyThePagesItFills)
{
    const LabelGeometry g = LabelGeometry::make(labelOptions(130, 60, 5, 5), letter);
    EXPECT_EQ(g.columns, 4);
    EXPECT_EQ(g.rows, 12);
    // 48 labels fill one page exactly: no blank page after it.
    EXPECT_EQ(g.pageCount(48), 1);
    EXPECT_EQ(g.pageCount(49), 2);
    EXPECT_EQ(g.pageCount(0), 1);
    // Label 48 starts the second page at its top-left; label 5 is the second row's second.
    EXPECT_EQ(g.pageOf(48), 1);
    EXPECT_EQ(g.frameRect(48).topLeft(), QPointF(0, 0));
    EXPECT_EQ(g.frameRect(5).topLeft(), QPointF(135, 65));
    EXPECT_EQ(g.frameRect(5).size(), QSizeF(130, 60));
    EXPECT_TRUE(g.frameRect(5).contains(g.textRect(5)));
}

TEST(LabelGeometry, MarginsAndTheUnprintableEdgeTakeRoomFromEveryPreset)
{
    QVariantMap options = labelOptions(189, 72, 9, 0);
    EXPECT_EQ(LabelGeometry::make(options, letter).columns, 3);
    EXPECT_EQ(LabelGeometry::make(options, letter).rows, 11);
    options.insert(PrintKey::TopMargin, 36);
    options.insert(PrintKey::LeftMargin, 13.5);
    options.insert(PrintKey::BottomMargin, 36);
    PageGeometry printer = letter;
    printer.imageable = QRectF(18, 18, 576, 756);
    const LabelGeometry g = LabelGeometry::make(options, printer);
    EXPECT_EQ(g.origin, QPointF(31.5, 54));
    EXPECT_EQ(g.columns, 2); // (594 - 31.5) / 198
    EXPECT_EQ(g.rows, 9); // (738 - 54) / 72
    for (int label = 0; label < g.perPage(); ++label) {
        const QRectF frame = g.frameRect(label);
        EXPECT_LE(frame.right(), 594) << label;
        EXPECT_LE(frame.bottom(), 738) << label;
    }

    // A repeated label fills as many cells as it is repeated.
    PrintView view({ rowOf(qs("A"), qs("B")), rowOf(qs("C"), qs("D")) }, labelOptions(130, 60, 5, 5, 30),
                   letter);
    EXPECT_EQ(view.pageCount(), 2);
}

TEST(LabelDrawing, VerticalAndHorizontalTextStayInsideTheirLabels)
{
    SubContactRows rows;
    for (int i = 0; i < 6; ++i) {
        SubContactRow row = rowOf(qs("陽介"), qs("山口"));
        row.person->setValue(
            QVariantList { QVariantMap { { Key::Label, qs("home") },
                                         { FieldId::Zip, qs("102-0075") },
                                         { FieldId::State, qs("東京都") },
                                         { FieldId::City, qs("千代田区") },
                                         { FieldId::Street, qs("三番町2-4-1 グリーンハイツ305") } } },
            FieldId::Address);
        rows.append(row);
    }
    for (const bool vertical : { false, true }) {
        QVariantMap options = labelOptions(130, 150, 5, 5);
        options = withStyleOption(options, PrintStyle::MailingLabels, StyleKey::PrintVertical, vertical);
        options = withStyleOption(options, PrintStyle::MailingLabels, StyleKey::PrintFrame, false);
        options = withStyleOption(options, PrintStyle::MailingLabels, StyleKey::VerticalFontName,
                                  PrintFont::JapaneseFallback);
        const PrintView view(rows, options, letter);
        // Pages are drawn in points, at 72 dpi as on the printer.
        QImage image(612, 792, QImage::Format_RGB32);
        image.setDotsPerMeterX(2835);
        image.setDotsPerMeterY(2835);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            view.drawPage(painter, 0);
        }
        const LabelGeometry g = LabelGeometry::make(options, letter);
        int inked = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (qGray(image.pixel(x, y)) > 128)
                    continue;
                ++inked;
                bool inside = false;
                for (int label = 0; label < int(rows.size()) && !inside; ++label)
                    inside = g.frameRect(label).contains(QPointF(x + 0.5, y + 0.5));
                ASSERT_TRUE(inside) << "vertical " << vertical << " at " << x << ',' << y;
            }
        }
        EXPECT_GT(inked, 500) << vertical;
    }
}

TEST(TextFitting, StartsFromThreeLinesOfTenCharactersAndEndsInsideTheBox)
{
    const QSizeF box(130, 60);
    EXPECT_DOUBLE_EQ(TextFitting::startSize(qs("Ann"), box), 13);
    EXPECT_DOUBLE_EQ(TextFitting::startSize(qs("a\nb\nc\nd\ne\nf"), box), 10);
    const QString family = PrintFont::JapaneseFallback;
    for (const QString &text :
         { qs("Ann"), qs("1200 Greenwich Street\nSuite 4100\nNew York NY 10013\nMarcus Delgado"),
           qs("東京都千代田区三番町2-4-1\nグリーンハイツ305\n山口 陽介 様") }) {
        for (const bool vertical : { false, true }) {
            const qreal size = TextFitting::fit(text, family, box, vertical);
            const QSizeF measured = TextFitting::measure(text, family, size, vertical);
            EXPECT_LE(measured.width(), box.width()) << text.toStdString() << vertical;
            EXPECT_LE(measured.height(), box.height()) << text.toStdString() << vertical;
            // Fitted text fills one side well, not just fits.
            EXPECT_GE(std::max(measured.width() / box.width(), measured.height() / box.height()), 0.75)
                << text.toStdString() << vertical;
        }
    }
    // A short line grows in steps of 1.2 while both sides stay under 60 %.
    const qreal grown = TextFitting::fit(qs("Ann"), family, box, false);
    EXPECT_GT(grown, 13 + 1.2);
}

TEST(AddressList, BlocksBreakAtPageEndsWithoutLosingALine)
{
    const PageGeometry small = PageGeometry::fullPage(QSizeF(300, 200));
    QVariantMap options = withNotesPrinted(optionsFor(PrintStyle::AddressList));
    const AddressListLayout probe({ rowOf(qs("A"), qs("B")) }, options, small);
    const int linesPerPage = int(200 / probe.lineHeight());
    ASSERT_GT(linesPerPage, 8);

    // The second contact does not fit below the first and is small: it moves whole.
    const int firstLines = linesPerPage - 3;
    const AddressListLayout moved({ rowOf(qs("A"), qs("B"), firstLines - 2), rowOf(qs("C"), qs("D"), 4) },
                                  options, small);
    ASSERT_EQ(moved.blocks().size(), 2);
    EXPECT_EQ(moved.blocks().at(1).page, 1);
    EXPECT_EQ(moved.blocks().at(1).top, 0);
    EXPECT_EQ(moved.blocks().at(1).lineCount, 5);
    EXPECT_EQ(moved.pageCount(), 2);

    // A contact taller than half a page continues on the next page, cut 20 points above the end.
    const int tall = linesPerPage + 4;
    const AddressListLayout split({ rowOf(qs("A"), qs("B"), 2), rowOf(qs("C"), qs("D"), tall) }, options,
                                  small);
    int printed = 0;
    for (const AddressListLayout::Block &block : split.blocks()) {
        EXPECT_LE(block.top + block.lineCount * split.lineHeight(), 200.001);
        if (block.contact == 1) {
            EXPECT_EQ(block.firstLine, printed);
            printed += block.lineCount;
        }
    }
    EXPECT_EQ(printed, tall + 1); // the name and every note line
    ASSERT_GE(split.blocks().size(), 3);
    const AddressListLayout::Block &cut = split.blocks().at(1);
    EXPECT_LE(cut.top + cut.lineCount * split.lineHeight(), 180.001);
    EXPECT_EQ(split.pageCount(), split.blocks().last().page + 1);
}

TEST(AddressList, PrintsEachContactOnceAndShadesEverySecond)
{
    QVariantMap options = optionsFor(PrintStyle::AddressList);
    options.insert(PrintKey::FontSize, 12);
    const SubContactRow first = rowOf(qs("Ann"), qs("Lee"));
    SubContactRow secondRowOfFirst = first;
    secondRowOfFirst.notFirstRow = true;
    const SubContactRows rows { first, secondRowOfFirst, rowOf(qs("Bob"), qs("Ray")),
                                rowOf(qs("Cy"), qs("Oz")), rowOf(qs("Di"), qs("Xu")) };
    const PageGeometry page = PageGeometry::fullPage(QSizeF(300, 300));
    PrintView view(rows, options, page);
    const AddressListLayout layout(rows, options, page);
    ASSERT_EQ(layout.blocks().size(), 4);

    QImage image(300, 300, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        view.drawPage(painter, 0);
    }
    // Sample the right end of each block, where no text reaches.
    for (const AddressListLayout::Block &block : layout.blocks()) {
        const QPoint probe(int(layout.columnWidth()) - 2, int(block.top + layout.lineHeight() / 2));
        const int grey = qGray(image.pixel(probe));
        if (block.contact % 2 == 1)
            EXPECT_NEAR(grey, 230, 2) << block.contact;
        else
            EXPECT_EQ(grey, 255) << block.contact;
    }
}

SubContactRow rowWithPhonesAndAddress()
{
    SubContactRow row = rowOf(qs("Ann"), qs("Lee"));
    row.person->setValue(
        QVariantList { QVariantMap { { Key::Label, qs("_$!<Home>!$_") }, { Key::Value, qs("555-0100") } },
                       QVariantMap { { Key::Label, qs("_$!<Work>!$_") }, { Key::Value, qs("555-0199") } } },
        FieldId::Phone);
    return row;
}

TEST(AddressList, ContinuationLinesHangByADistanceNotBySpaces)
{
    const QFont font = PrintMetrics::font(PrintFont::JapaneseFallback, 10);
    const QFontMetricsF fm = PrintMetrics::metrics(font);
    TextWidths widths(fm);
    SubContactRow row = rowWithPhonesAndAddress();
    const QString phoneHead = QVPerson::localizedIdentifierForKey(FieldId::Phone) + qs(": ");
    const QList<PrintLine> phones
        = PrintText::fieldLines(*row.person, FieldId::Phone, { PrintLabel::All }, widths);
    ASSERT_EQ(phones.size(), 2);
    EXPECT_EQ(phones.at(0).indent, 0);
    EXPECT_DOUBLE_EQ(phones.at(1).indent, fm.horizontalAdvance(phoneHead));
    for (const PrintLine &line : phones)
        EXPECT_FALSE(line.text.startsWith(QLatin1Char(' '))) << line.text.toStdString();
    // Only the label is the caption: "home", not the field's name or the number.
    const PrintLine &first = phones.at(0);
    EXPECT_EQ(first.text.mid(first.captionStart, first.captionLength),
              QVPerson::localizedLabelFromCNLabel(qs("_$!<Home>!$_")));
    EXPECT_EQ(phones.at(1).text.mid(phones.at(1).captionStart, phones.at(1).captionLength),
              QVPerson::localizedLabelFromCNLabel(qs("_$!<Work>!$_")));
    // The label filter drops the other labels' lines.
    EXPECT_EQ(PrintText::fieldLines(*row.person, FieldId::Phone, { qs("work") }, widths).size(), 1);

    // A note too long for the column wraps; its pieces start at the edge, other fields' under
    // the value, and none runs past the column.
    const QString words = qs("the quick brown fox jumps over the lazy dog again and again");
    row.person->setValue(words, FieldId::Note);
    row.person->setValue(words, FieldId::Nickname);
    const qreal width = 150;
    for (const QString &field : { FieldId::Note, FieldId::Nickname }) {
        QList<PrintLine> wrapped;
        for (const PrintLine &line : PrintText::fieldLines(*row.person, field, { PrintLabel::All }, widths))
            wrapped += wrapLine(line, fm, width);
        ASSERT_GT(wrapped.size(), 2) << field.toStdString();
        const qreal hang = field == FieldId::Note
            ? 0
            : fm.horizontalAdvance(QVPerson::localizedIdentifierForKey(field) + qs(": "));
        QStringList words;
        for (qsizetype i = 0; i < wrapped.size(); ++i) {
            const PrintLine &piece = wrapped.at(i);
            EXPECT_DOUBLE_EQ(piece.indent, i == 0 ? 0 : hang) << field.toStdString() << i;
            EXPECT_FALSE(piece.text.startsWith(QLatin1Char(' '))) << piece.text.toStdString();
            EXPECT_LE(piece.indent + fm.horizontalAdvance(piece.text.trimmed()), width)
                << piece.text.toStdString();
            words += piece.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        }
        // Nothing is lost in the wrapping.
        EXPECT_TRUE(words.join(QLatin1Char(' ')).endsWith(qs("lazy dog again and again")));
    }
}

TEST(AddressList, LabelsArePrintedInTheCaptionColour)
{
    QVariantMap options = optionsFor(PrintStyle::AddressList);
    options.insert(PrintKey::FontSize, 20);
    options = withStyleOption(options, PrintStyle::AddressList, StyleKey::AlternatingRow, false);
    options = withStyleOption(
        options, PrintStyle::AddressList, StyleKey::ItemTable,
        PrintOptions::itemTableForColumns(PrintOptions::defaultItemTable(), { FieldId::Phone }));
    const SubContactRows rows { rowWithPhonesAndAddress() };
    const PageGeometry page = PageGeometry::fullPage(QSizeF(400, 300));
    const PrintView view(rows, options, page);
    const AddressListLayout layout(rows, options, page);
    const QImage image = drawnPage(view, page.paper);
    const QFontMetricsF fm = PrintMetrics::metrics(layout.font());
    const PrintLine &home = layout.contactLines().at(0).at(1);
    const qreal captionLeft = fm.horizontalAdvance(home.text.left(home.captionStart));
    const qreal captionRight = fm.horizontalAdvance(home.text.left(home.captionStart + home.captionLength));
    const qreal top = layout.lineHeight();
    const QRectF caption(captionLeft, top, captionRight - captionLeft, layout.lineHeight());
    const QRectF number(fm.horizontalAdvance(home.text.left(home.text.size() - 4)), top,
                        fm.horizontalAdvance(qs("0100")), layout.lineHeight());
    // The caption is inked, but light: no pixel of it is as dark as the number beside it.
    EXPECT_GT(inkIn(image, caption, 250), 20);
    EXPECT_EQ(inkIn(image, caption, 150), 0);
    EXPECT_GT(inkIn(image, number, 100), 20);
}

TEST(AddressText, AddressCompanyAndNameWithItsSuffix)
{
    SubContactRow row = rowOf(qs("陽介"), qs("山口"));
    row.person->setValue(qs("ほしぞら工房"), FieldId::Company);
    row.person->setValue(qs("Dr."), FieldId::Title);
    row.person->setValue(QVariantList { QVariantMap { { Key::Label, qs("home") },
                                                      { FieldId::Zip, qs("102-0075") },
                                                      { FieldId::State, qs("東京都") },
                                                      { FieldId::City, qs("千代田区") },
                                                      { FieldId::Street, qs("三番町2-4-1") } } },
                         FieldId::Address);
    QVariantMap options { { StyleKey::Keishou, qs("様") } };
    const QString plain = PrintText::addressAndName(row, options);
    EXPECT_TRUE(plain.contains(qs("102-0075"))) << plain.toStdString();
    EXPECT_TRUE(plain.contains(qs("三番町2-4-1"))) << plain.toStdString();
    EXPECT_TRUE(plain.endsWith(qs("\n山口 陽介 様"))) << plain.toStdString();
    EXPECT_FALSE(plain.contains(qs("ほしぞら工房")));

    options.insert(StyleKey::PrintCompany, true);
    options.insert(StyleKey::PrintPrefix, true);
    const QString full = PrintText::addressAndName(row, options);
    EXPECT_TRUE(full.endsWith(qs("ほしぞら工房\nDr. 山口 陽介 様"))) << full.toStdString();
}

TEST(Envelopes, OnePagePerRowInTheOrderOfTheRows)
{
    const SubContactRows rows { rowOf(qs("Ann"), qs("Lee")), rowOf(qs("Bob"), qs("Ray")),
                                rowOf(qs("Cy"), qs("Oz")) };
    const PrintView view(rows, optionsFor(PrintStyle::Envelope), PageGeometry::fullPage(QSizeF(624, 312)));
    EXPECT_EQ(view.pageCount(), 3);
    EXPECT_TRUE(view.envelopeTextObject(rows.at(0)).text.contains(qs("Ann")));
    // With nothing stored for the paper the text sits in the middle of the envelope.
    EXPECT_EQ(view.envelopeTextRect().center(), QPointF(312, 156));
}

TEST(Envelopes, TheAddressGoesIntoTheRectangleStoredForThePaper)
{
    const SubContactRows rows { rowOf(qs("Ann"), qs("Lee")) };
    const QRectF stored(40.5, 30, 200, 80);
    QVariantMap options
        = PrintOptions::withEnvelopeTextRect(optionsFor(PrintStyle::Envelope), qs("DL"), stored);
    options = PrintOptions::withEnvelopeTextRect(options, qs("Broken"), QRectF());
    EXPECT_EQ(PrintOptions::styleOptions(options, PrintStyle::Envelope)
                  .value(StyleKey::TextRectDict)
                  .toMap()
                  .value(qs("DL")),
              QVariant(qs("{{40.5, 30}, {200, 80}}")));
    EXPECT_EQ(PrintOptions::rectFromString(qs("{{1, 2}, {x, 4}}")), QRectF());

    options = withStyleOption(options, PrintStyle::Envelope, StyleKey::PrintFrame, false);
    const PrintView view(rows, options, PageGeometry::fullPage(QSizeF(624, 312), qs("DL")));
    EXPECT_EQ(view.envelopeTextRect(), stored);
    // Another paper, or an unusable stored rectangle, takes the centred default.
    const PrintView other(rows, options, PageGeometry::fullPage(QSizeF(624, 312), qs("Broken")));
    EXPECT_EQ(other.envelopeTextRect().center(), QPointF(312, 156));

    QImage image(624, 312, QImage::Format_RGB32);
    image.setDotsPerMeterX(2835);
    image.setDotsPerMeterY(2835);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        view.drawPage(painter, 0);
    }
    QRect inked;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                inked |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(inked.isEmpty());
    EXPECT_TRUE(stored.contains(QRectF(inked)))
        << inked.x() << ',' << inked.y() << ' ' << inked.width() << 'x' << inked.height();
}

SubContactRow senderWithTwoAddresses()
{
    SubContactRow sender = rowOf(qs("花子"), qs("佐藤"));
    sender.person->setValue(QVariantList { QVariantMap { { Key::Label, qs("_$!<Home>!$_") },
                                                         { FieldId::Zip, qs("100-0001") },
                                                         { FieldId::State, qs("東京都") },
                                                         { FieldId::City, qs("千代田区") },
                                                         { FieldId::Street, qs("千代田1-1") } },
                                           QVariantMap { { Key::Label, qs("_$!<Work>!$_") },
                                                         { FieldId::Zip, qs("530-0001") },
                                                         { FieldId::State, qs("大阪府") },
                                                         { FieldId::City, qs("大阪市北区") },
                                                         { FieldId::Street, qs("梅田3-1") } } },
                            FieldId::Address);
    return sender;
}

TEST(Sender, TheAddressNamedBySenderLabelIsTheOneUsed)
{
    const SubContactRow sender = senderWithTwoAddresses();
    struct Case
    {
        const char *name;
        QString label;
        int index;
        int expected;
    };
    const Case cases[] = { { "label", qs("work"), 0, 1 },
                           { "label wins over index", qs("home"), 1, 0 },
                           { "missing label, index", qs("other"), 1, 1 },
                           { "missing label, index out of range", qs("other"), 5, 0 } };
    for (const Case &c : cases) {
        const QVariantMap envelope { { StyleKey::SenderLabel, c.label },
                                     { StyleKey::SenderLabelIndex, c.index } };
        EXPECT_EQ(PrintText::senderRow(sender, envelope).labelIndex, c.expected) << c.name;
    }
}

TEST(Sender, IsPrintedOnEnvelopesAndPostcardsOnlyWhenAsked)
{
    const SubContactRows rows { rowOf(qs("Ann"), qs("Lee")) };
    QVariantMap options = optionsFor(PrintStyle::Envelope);
    options = withStyleOption(options, PrintStyle::Envelope, StyleKey::PrintFrame, false);
    options = withStyleOption(options, PrintStyle::Envelope, StyleKey::SenderLabel, qs("work"));
    const PageGeometry dl = PageGeometry::fullPage(QSizeF(624, 312));
    PrintView view(rows, options, dl);
    EXPECT_EQ(inkIn(drawnPage(view, dl.paper), view.envelopeSenderRect()), 0);
    view.setSender(senderWithTwoAddresses());
    EXPECT_GT(inkIn(drawnPage(view, dl.paper), view.envelopeSenderRect()), 50);
    // The sender's block keeps well clear of the receiver's frame, also on a vertical envelope.
    EXPECT_FALSE(view.envelopeSenderRect().intersects(view.envelopeTextRect().adjusted(-12, -12, 12, 12)));
    const PageGeometry chou3 = PageGeometry::fullPage(QSizeF(340, 666));
    const PrintView vertical(
        rows, withStyleOption(options, PrintStyle::Envelope, StyleKey::PrintVertical, true), chou3);
    EXPECT_FALSE(
        vertical.envelopeSenderRect().intersects(vertical.envelopeTextRect().adjusted(-12, -12, 12, 12)));
    EXPECT_LE(vertical.envelopeSenderRect().bottom(), chou3.paper.height());
    const PrintView off(rows, withStyleOption(options, PrintStyle::Envelope, StyleKey::PrintSender, false),
                        dl);
    EXPECT_EQ(inkIn(drawnPage(off, dl.paper), off.envelopeSenderRect()), 0);

    // The postcard prints the sender's code of the chosen address in the sender's boxes.
    QVariantMap card = withStyleOption(options, PrintStyle::Hagaki, StyleKey::ShowBackground, false);
    card.insert(PrintKey::PrintStyle, PrintStyle::Hagaki);
    const PageGeometry hagaki = PageGeometry::fullPage(Hagaki::cardSize());
    PrintView postcard(rows, card, hagaki);
    postcard.setPrinting(false);
    const QRectF fifthBox = Hagaki::senderCodeBoxes().at(4);
    EXPECT_EQ(inkIn(drawnPage(postcard, hagaki.paper), fifthBox), 0);
    postcard.setSender(senderWithTwoAddresses());
    // "530-0001" has a zero in the fifth box, "100-0001" too: compare the first box, 5 against 1.
    const QImage work = drawnPage(postcard, hagaki.paper);
    postcard.setOptions(withStyleOption(card, PrintStyle::Envelope, StyleKey::SenderLabel, qs("home")));
    const QImage home = drawnPage(postcard, hagaki.paper);
    const QRectF firstBox = Hagaki::senderCodeBoxes().first();
    EXPECT_GT(inkIn(work, fifthBox), 0);
    EXPECT_NE(work.copy(firstBox.toAlignedRect()), home.copy(firstBox.toAlignedRect()));
}

TEST(Hagaki, JointNamesStandBesideTheReceiversGivenName)
{
    SubContactRow receiver = rowOf(qs("陽介"), qs("山口"));
    receiver.person->setValue(
        QVariantList {
            QVariantMap { { Key::Label, qs("_$!<Spouse>!$_") }, { Key::Value, qs("山口 美咲") } },
            QVariantMap { { Key::Label, qs("_$!<Son>!$_") }, { Key::Value, qs("大翔") } },
            QVariantMap { { Key::Label, qs("_$!<Friend>!$_") }, { Key::Value, qs("田中 健") } },
            QVariantMap { { Key::Label, qs("_$!<Daughter>!$_") }, { Key::Value, qs("山口 結衣") } } },
        FieldId::Relationship);
    const QVariantMap none = PrintOptions::styleOptions(optionsFor(PrintStyle::Hagaki), PrintStyle::Hagaki);
    EXPECT_TRUE(Hagaki::jointNames(receiver, none).isEmpty());
    QVariantMap spouse = none;
    spouse.insert(StyleKey::PrintSpouse, true);
    EXPECT_EQ(Hagaki::jointNames(receiver, spouse), QStringList { qs("美咲") });
    QVariantMap family = spouse;
    family.insert(StyleKey::PrintChildren, true);
    EXPECT_EQ(Hagaki::jointNames(receiver, family), (QStringList { qs("美咲"), qs("大翔"), qs("結衣") }));

    // Each joint name has its own column left of the receiver's, inked only when printed.
    const QList<qreal> edges = Hagaki::nameColumnEdges(3, Hagaki::nameSize(3));
    ASSERT_EQ(edges.size(), 4);
    const qreal size = Hagaki::nameSize(3);
    const QRectF leftmost(edges.last() - size, 0, size, Hagaki::cardSize().height() * 0.7);
    const PageGeometry card = PageGeometry::fullPage(Hagaki::cardSize());
    QVariantMap options = withStyleOption(optionsFor(PrintStyle::Hagaki), PrintStyle::Hagaki,
                                          StyleKey::ShowBackground, false);
    PrintView view({ receiver }, options, card);
    EXPECT_EQ(inkIn(drawnPage(view, card.paper), leftmost), 0);
    QVariantMap hagaki = PrintOptions::styleOptions(options, PrintStyle::Hagaki);
    hagaki.insert(StyleKey::PrintSpouse, true);
    hagaki.insert(StyleKey::PrintChildren, true);
    options.insert(PrintKey::HagakiOptions, hagaki);
    view.setOptions(options);
    const QImage printed = drawnPage(view, card.paper);
    for (int i = 1; i <= 3; ++i)
        EXPECT_GT(inkIn(printed, QRectF(edges.at(i) - size, 0, size, card.paper.height() * 0.7)), 30) << i;
}

TEST(Hagaki, CodeBoxesSitAtTheirStandardPlaces)
{
    const QList<QRectF> receiver = Hagaki::receiverCodeBoxes();
    ASSERT_EQ(receiver.size(), 7);
    const qreal mm = 72 / 25.4;
    EXPECT_NEAR(receiver.first().left(), 44 * mm, 0.01);
    EXPECT_NEAR(receiver.last().right(), 91.9 * mm, 0.01);
    EXPECT_NEAR(receiver.first().top(), 12 * mm, 0.01);
    // The gap between the third and fourth box holds the hyphen, wider than the others.
    EXPECT_GT(receiver.at(3).left() - receiver.at(2).right(), receiver.at(1).left() - receiver.at(0).right());
    for (const QRectF &box : Hagaki::senderCodeBoxes())
        EXPECT_TRUE(QRectF(QPointF(0, 0), Hagaki::cardSize()).contains(box));
    EXPECT_EQ(Hagaki::postalDigits(qs("１０２－００７５")), qs("1020075"));
    EXPECT_EQ(Hagaki::postalDigits(qs("102-00751")), qs("1020075"));
}

} // namespace
