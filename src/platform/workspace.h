// Opening things with the desktop's programs, and building the addresses the item commands open.
//
// The addresses keep the program's own schemes ("tel:", "mailto:", "maps://?q=", "ical://", web
// addresses); openUrl() turns the ones the desktop has no handler for into what it understands:
// a map search becomes a "geo:0,0?q=" URI, a calendar address a one-event .ics file in the
// temporary folder. Everything built from user data is percent-encoded.
#pragma once

#include <QDate>
#include <QString>
#include <QUrl>
#include <functional>

class Workspace
{
public:
    using Opener = std::function<bool(const QUrl &)>;

    // Opens an address, mapped for the desktop. False when it is empty or invalid or nothing opened it.
    static bool openUrl(const QUrl &url);
    // What openUrl() hands to the desktop for an address (writes the .ics file of a calendar address).
    static QUrl desktopUrl(const QUrl &url);

    // Replaces the desktop opener (tests capture the address instead); returns the previous one.
    // An empty opener restores the desktop's.
    static Opener setOpener(Opener opener);

    // "tel:" and the number without parentheses and spaces.
    static QUrl phoneUrl(const QString &number);
    // "mailto:" and the address.
    static QUrl mailUrl(const QString &address);
    // "maps://?q=" and the address text, its spaces as "+".
    static QUrl mapUrl(const QString &addressText);
    // The web map service's search for the address text.
    static QUrl webMapUrl(const QString &addressText);
    // The text itself when it starts with "http://" or "https://" (in any case), else "http://" and
    // the text (an address in another scheme then makes no valid URL and opens nothing).
    static QUrl webUrl(const QString &text);
    // "ical://", optionally naming an all-day event (repeated yearly for birthdays and anniversaries).
    static QUrl calendarUrl(const QDate &date = QDate(), const QString &summary = QString(),
                            bool yearly = false);

    // The text of a one-event calendar file.
    static QByteArray calendarEvent(const QDate &date, const QString &summary, bool yearly);

    // Everything but ASCII letters and digits percent-encoded (as UTF-8).
    static QByteArray percentEncoded(const QString &text);
};
