<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>TallyChart</name>
    <message numerus="yes">
        <source>%1 won %2 of %n game(s) together</source>
        <translation>
            <numerusform>%1 won %2 of %n game together</numerusform>
            <numerusform>%1 won %2 of %n games together</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 won %2 of %n game(s) together this session</source>
        <translation>
            <numerusform>%1 won %2 of %n game together this session</numerusform>
            <numerusform>%1 won %2 of %n games together this session</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>You won %1 of %n game(s), %2%; a fair share at a table of four is 25%</source>
        <translation>
            <numerusform>You won %1 of %n game, %2%; a fair share at a table of four is 25%</numerusform>
            <numerusform>You won %1 of %n games, %2%; a fair share at a table of four is 25%</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lastling::shell::Board</name>
    <message numerus="yes">
        <source>%1: %n point(s)</source>
        <translation>
            <numerusform>%1: %n point</numerusform>
            <numerusform>%1: %n points</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lastling::shell::TableDialog</name>
    <message numerus="yes">
        <source>%n second(s)</source>
        <translation>
            <numerusform>%n second</numerusform>
            <numerusform>%n seconds</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lastling::shell::TurnCountdown</name>
    <message numerus="yes">
        <source>%n second(s) left</source>
        <translation>
            <numerusform>%n second left</numerusform>
            <numerusform>%n seconds left</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>lastling::social::ChatPanel</name>
    <message numerus="yes">
        <source>Line not sent. %n lines are already waiting to go out, and the table takes one a second.</source>
        <translation>
            <numerusform>Line not sent. %n line is already waiting to go out, and the table takes one a second.</numerusform>
            <numerusform>Line not sent. %n lines are already waiting to go out, and the table takes one a second.</numerusform>
        </translation>
    </message>
</context>
</TS>
