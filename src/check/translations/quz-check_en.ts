<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>Text</name>
    <message numerus="yes">
        <source>%n variant(s)</source>
        <translation>
            <numerusform>%n variant</numerusform><numerusform>%n variants</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n question(s)</source>
        <translation>
            <numerusform>%n question</numerusform><numerusform>%n questions</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n trailing blank(s)</source>
        <translation>
            <numerusform>%n trailing blank</numerusform><numerusform>%n trailing blanks</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n button(s)</source>
        <translation>
            <numerusform>%n button</numerusform><numerusform>%n buttons</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n record(s)</source>
        <translation>
            <numerusform>%n record</numerusform><numerusform>%n records</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n problem(s)</source>
        <translation>
            <numerusform>%n problem</numerusform><numerusform>%n problems</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n note(s)</source>
        <translation>
            <numerusform>%n note</numerusform><numerusform>%n notes</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n file</numerusform><numerusform>%n files</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n more line(s) up to this one have characters that Windows-1251 does not have</source>
        <translation>
            <numerusform>%n more line up to this one has characters that Windows-1251 does not have</numerusform><numerusform>%n more lines up to this one have characters that Windows-1251 does not have</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>%n line(s)</source>
        <translation>
            <numerusform>%n line</numerusform><numerusform>%n lines</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>; %n more line(s) hold NUL bytes</source>
        <translation>
            <numerusform>; %n more line holds NUL bytes</numerusform><numerusform>; %n more lines hold NUL bytes</numerusform></translation>
    </message>
    <message numerus="yes">
        <source>, and the answer mode does not find its %n error entries</source>
        <translation>
            <numerusform>, and the answer mode does not find its %n error entry</numerusform><numerusform>, and the answer mode does not find its %n error entries</numerusform></translation>
    </message>
</context>
</TS>
