<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="ru_RU">
<context>
    <name>MainWindow</name>
    <message>
        <source>Тест RYN</source>
        <translation>RYN Test</translation>
    </message>
</context>
</TS>
