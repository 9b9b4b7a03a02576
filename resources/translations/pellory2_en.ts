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
</TS>
