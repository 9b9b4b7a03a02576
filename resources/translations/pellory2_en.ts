<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- English plural forms: the source texts are English already, only counted texts need entries. -->
<TS version="2.1" language="en">
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
