<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AddressEditor</name>
    <message numerus="yes">
        <source>%n more: type more digits</source>
        <translation>
            <numerusform>%n more: type more digits</numerusform>
            <numerusform>%n more: type more digits</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ContactsViewController</name>
    <message numerus="yes">
        <source>%1: total %n contacts</source>
        <translation>
            <numerusform>%1: total %n contact</numerusform>
            <numerusform>%1: total %n contacts</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ImportPanelController</name>
    <message numerus="yes">
        <source>%n card(s) of the file could not be read: cut off, damaged or nested in another card. They are not listed.</source>
        <translation>
            <numerusform>%n card of the file could not be read: it is cut off, damaged or nested in another card. It is not listed.</numerusform>
            <numerusform>%n cards of the file could not be read: they are cut off, damaged or nested in another card. They are not listed.</numerusform>
        </translation>
    </message>
</context>
</TS>
