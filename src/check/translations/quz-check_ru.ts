<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>Text</name>
    <message>
        <source>%1: no such file or directory</source>
        <translation>%1: нет такого файла или папки</translation>
    </message>
    <message>
        <source>%1: the name is too long for the system (%2 bytes; a name may have at most %3, a path at most %4)</source>
        <translation>%1: имя слишком длинное для системы (%2 байт; имя файла может быть не длиннее %3, путь — не длиннее %4)</translation>
    </message>
    <message>
        <source>usage error: </source>
        <translation>ошибка в команде: </translation>
    </message>
    <message>
        <source>Write the report as a JSON document instead.</source>
        <translation>Выдать отчёт в виде документа JSON.</translation>
    </message>
    <message>
        <source>Check the files named as KIND: question (a question file such as vopros.txt), comment (a comment file such as koment.txt), journal or picture. Without it, vopros.txt and koment.txt are known by their names, a picture by its content, and any other file is a journal.</source>
        <translation>Проверить названные файлы как KIND: question (файл вопросов, как vopros.txt), comment (файл комментариев, как koment.txt), journal (журнал ошибок) или picture (картинка). Без этого параметра vopros.txt и koment.txt узнаются по имени, картинка — по содержимому, а любой другой файл считается журналом ошибок.</translation>
    </message>
    <message>
        <source>unknown option %1</source>
        <translation>неизвестный параметр %1</translation>
    </message>
    <message>
        <source>unknown kind %1: use question, comment, journal or picture</source>
        <translation>неизвестный вид файла %1: укажите question, comment, journal или picture</translation>
    </message>
    <message>
        <source>name one program directory at a time</source>
        <translation>укажите только одну папку программы</translation>
    </message>
    <message>
        <source>name either a program directory or files</source>
        <translation>укажите либо папку программы, либо файлы</translation>
    </message>
    <message>
        <source>--kind is for files named on the command line</source>
        <translation>--kind относится к файлам, названным в команде</translation>
    </message>
    <message>
        <source>line %1</source>
        <translation>строка %1</translation>
    </message>
    <message>
        <source>ticket %1 (line %2)</source>
        <translation>билет %1 (строка %2)</translation>
    </message>
    <message>
        <source>the lines before the first header (line %1)</source>
        <translation>строки перед первым заголовком (строка %1)</translation>
    </message>
    <message>
        <source>shows for comment 1 the one of %1</source>
        <translation>показывает как комментарий 1 текст — %1</translation>
    </message>
    <message>
        <source>finds no comment 1</source>
        <translation>не находит комментарий 1</translation>
    </message>
    <message>
        <source>the program looks its comments up from the start of the file and </source>
        <translation>программа ищет его комментарии с начала файла и </translation>
    </message>
    <message>
        <source>ticket %1 has no header line «билет%1»%2: %3</source>
        <translation>у билета %1 нет строки-заголовка «билет%1»%2: %3</translation>
    </message>
    <message>
        <source>tickets %1 to %2 have no header lines%3: the program looks their comments up from the start of the file and shows the same comments for each</source>
        <translation>у билетов с %1 по %2 нет строк-заголовков%3: программа ищет их комментарии с начала файла и показывает для каждого из них одни и те же комментарии</translation>
    </message>
    <message>
        <source>no header line «билет%1» before this line: the comments from here look like those of ticket %1, but %2</source>
        <translation>перед этой строкой нет заголовка «билет%1»: комментарии отсюда похожи на комментарии билета %1, но %2</translation>
    </message>
    <message>
        <source>the program looks them up from the start of the file, which finds these ones only while they come first in the file</source>
        <translation>программа ищет их с начала файла и находит эти, только пока они стоят в файле первыми</translation>
    </message>
    <message>
        <source> (expected before this line)</source>
        <translation> (должна быть перед этой строкой)</translation>
    </message>
    <message>
        <source> (expected after this line)</source>
        <translation> (должна быть после этой строки)</translation>
    </message>
    <message>
        <source>; it is probably meant to be «билет%1»: ticket %1 has no header, so %2</source>
        <translation>; вероятно, здесь имелось в виду «билет%1»: у билета %1 нет заголовка, поэтому %2</translation>
    </message>
    <message>
        <source>%1 is not read as a header: the program only finds «билет» in small Cyrillic letters at the start of a line, directly followed by the two-digit ticket number</source>
        <translation>программа не считает %1 заголовком: она находит только слово «билет» строчными русскими буквами в начале строки, сразу за которым идёт номер билета из двух цифр</translation>
    </message>
    <message>
        <source>; ticket %1 has no header, so %2</source>
        <translation>; у билета %1 нет заголовка, поэтому %2</translation>
    </message>
    <message>
        <source>a header on the first line is not seen: the program looks for a line break before «билет»</source>
        <translation>заголовок в самой первой строке программа не видит: она ищет слово «билет» только после перехода на новую строку</translation>
    </message>
    <message>
        <source>; it uses the header of ticket %1 on line %2 instead</source>
        <translation>; вместо него она берёт заголовок билета %1 в строке %2</translation>
    </message>
    <message>
        <source>; it looks the comments of ticket %1 up from the start of the file, which finds these ones only while they are the first in the file</source>
        <translation>; комментарии билета %1 она ищет с начала файла и находит эти, только пока они стоят в файле первыми</translation>
    </message>
    <message>
        <source>%1 names no ticket the program asks (01-%2): these comments are only found where another ticket's are missing%3</source>
        <translation>%1 — такого билета программа не спрашивает (есть только 01–%2): эти комментарии найдутся лишь там, где не хватает комментариев другого билета%3</translation>
    </message>
    <message>
        <source>a second header for ticket %1 (the program uses the one on line %2): the comments below this one are only found where ticket %1's are missing%3</source>
        <translation>второй заголовок билета %1 (программа берёт тот, что в строке %2): комментарии под этим заголовком найдутся лишь там, где не хватает комментариев билета %1%3</translation>
    </message>
    <message>
        <source>the program shows an empty comment</source>
        <translation>программа показывает пустой комментарий</translation>
    </message>
    <message>
        <source>the program shows the beginning of the file up to line %1 instead</source>
        <translation>вместо него программа показывает начало файла до строки %1</translation>
    </message>
    <message>
        <source>the program takes line %1, which begins with «%2. », as its start</source>
        <translation>программа принимает за его начало строку %1, которая начинается с «%2. »</translation>
    </message>
    <message>
        <source>the program shows the comment %1 of %2 instead</source>
        <translation>вместо него программа показывает комментарий %1 — %2</translation>
    </message>
    <message>
        <source>ticket %1</source>
        <translation>билет %1</translation>
    </message>
    <message>
        <source>this line begins with «%1. » like line %2: %3 has comment %1 twice, and the program shows this line as part of the comment on line %2; if it is meant to start another comment, write that comment's number here</source>
        <translation>эта строка начинается с «%1. », как и строка %2: %3 — комментарий %1 дважды, и программа показывает эту строку как часть комментария из строки %2; если здесь должен начинаться другой комментарий, напишите в начале строки его номер</translation>
    </message>
    <message>
        <source>comment %1 of %2 runs on through the header of %3 up to line %4</source>
        <translation>комментарий %1 (%2) продолжается через заголовок (%3) до строки %4</translation>
    </message>
    <message>
        <source>comment %1 of %2 runs on up to line %3</source>
        <translation>комментарий %1 (%2) продолжается до строки %3</translation>
    </message>
    <message>
        <source>%1 has no comments %2 to %3 (expected before this line): %4 for comment %2%5</source>
        <translation>%1: нет комментариев с %2 по %3 (должны быть перед этой строкой): для комментария %2 %4%5</translation>
    </message>
    <message>
        <source>%1 has no comment %2 (expected before this line): %3%4</source>
        <translation>%1: нет комментария %2 (должен быть перед этой строкой): %3%4</translation>
    </message>
    <message>
        <source>this line begins with «%1. » before comment %1 of %2 (line %3): the program takes it as the start of comment %1 and shows %4 for it</source>
        <translation>эта строка начинается с «%1. » раньше комментария %1 (%2, строка %3): программа принимает её за начало комментария %1 и показывает для него: %4</translation>
    </message>
    <message>
        <source>an empty text</source>
        <translation>пустой текст</translation>
    </message>
    <message>
        <source>; it also ends comment %1 before it</source>
        <translation>; заодно она обрывает комментарий %1 перед ней</translation>
    </message>
    <message>
        <source>; comment %1 of %2 then has no end and is shown empty</source>
        <translation>; у комментария %1 (%2) тогда нет конца, и он показывается пустым</translation>
    </message>
    <message>
        <source>comment %1 does not start with «%1. » (the number, a full stop and a blank), so the program does not see it start here: %2%3</source>
        <translation>комментарий %1 не начинается с «%1. » (номер, точка и пробел), поэтому программа не видит, что он начинается здесь: %2%3</translation>
    </message>
    <message>
        <source>comment %1 of %2 has no end: no line beginning «%3.» follows it, so the program shows it empty</source>
        <translation>у комментария %1 (%2) нет конца: после него нет строки, начинающейся с «%3.», поэтому программа показывает его пустым</translation>
    </message>
    <message>
        <source>this line begins with «%1.» inside comment %2 of %3: the program ends comment %2 before it, so %4</source>
        <translation>эта строка внутри комментария %2 (%3) начинается с «%1.»: программа заканчивает комментарий %2 перед ней, поэтому %4</translation>
    </message>
    <message>
        <source>%1, as no line beginning «%2.» ends it in its ticket</source>
        <translation>%1, потому что в его билете нет строки, начинающейся с «%2.», которая бы его закончила</translation>
    </message>
    <message>
        <source>the comments of ticket %1 are cut short there</source>
        <translation>комментарии билета %1 здесь обрываются</translation>
    </message>
    <message>
        <source>the comments of ticket %1 behind it are lost</source>
        <translation>комментарии билета %1 после него пропадают</translation>
    </message>
    <message>
        <source>the comments of tickets %1 to %2 behind it are lost</source>
        <translation>комментарии билетов с %1 по %2 после него пропадают</translation>
    </message>
    <message>
        <source>%1: the program cannot load it</source>
        <translation>%1: программа не сможет его загрузить</translation>
    </message>
    <message>
        <source>%1 characters, not 15</source>
        <translation>%1 знаков, а не 15</translation>
    </message>
    <message>
        <source>characters 4-5 are not a ticket 01-%1</source>
        <translation>знаки 4–5 — не номер билета 01–%1</translation>
    </message>
    <message>
        <source>characters 14-15 are not a question 01-%1</source>
        <translation>знаки 14–15 — не номер вопроса 01–%1</translation>
    </message>
    <message>
        <source>%1 is not a well-formed error entry (%2): the answer mode asks ticket %3, question %4</source>
        <translation>%1 — неправильная запись ошибки (%2): в режиме ответа программа спросит билет %3, вопрос %4</translation>
    </message>
    <message>
        <source>, as meant</source>
        <translation>, как и задумано</translation>
    </message>
    <message>
        <source>, which no record has: the program shows an empty question without answer buttons</source>
        <translation>, а такого вопроса нет: программа покажет пустой вопрос без кнопок ответа</translation>
    </message>
    <message>
        <source>: the program shows the record %1 on line %2 of the question file</source>
        <translation>: программа покажет вопрос %1 из строки %2 файла вопросов</translation>
    </message>
    <message>
        <source>, which is not a question the program has</source>
        <translation>, а такого вопроса в программе нет</translation>
    </message>
    <message>
        <source>ticket %1, question %2</source>
        <translation>билет %1, вопрос %2</translation>
    </message>
    <message>
        <source>the program shows the blank picture for %1 instead</source>
        <translation>вместо неё программа показывает для вопроса «%1» пустую картинку</translation>
    </message>
    <message>
        <source>the program shows the blank picture instead</source>
        <translation>вместо неё программа показывает пустую картинку</translation>
    </message>
    <message>
        <source>libjpeg refuses it: %1; %2</source>
        <translation>картинку не удаётся прочитать как JPEG: %1; %2</translation>
    </message>
    <message>
        <source>%1 x %2 pixels is more than the program decodes (%3 pixels); %4</source>
        <translation>%1 × %2 точек — больше, чем программа может показать (%3 точек); %4</translation>
    </message>
    <message>
        <source>the picture data is damaged: %1 while decoding; %2</source>
        <translation>картинка повреждена: %1 при чтении; %2</translation>
    </message>
    <message>
        <source>: the program shows the picture as it is</source>
        <translation>: программа показывает картинку как есть</translation>
    </message>
    <message>
        <source>the picture data is damaged: %1; the program shows what it can decode and the rest grey</source>
        <translation>картинка повреждена: %1; программа показывает то, что удаётся прочитать, а остальное — серым</translation>
    </message>
    <message>
        <source>the sample picture is a folder: at every start the program shows the message «Картинки к билетам НЕ НАЙДЕНЫ!!!» with the install notes</source>
        <translation>на месте картинки-образца папка: при каждом запуске программа показывает сообщение «Картинки к билетам НЕ НАЙДЕНЫ!!!» с указаниями по установке</translation>
    </message>
    <message>
        <source>the sample picture is missing: at every start the program shows the message «Картинки к билетам НЕ НАЙДЕНЫ!!!» with the install notes</source>
        <translation>нет картинки-образца: при каждом запуске программа показывает сообщение «Картинки к билетам НЕ НАЙДЕНЫ!!!» с указаниями по установке</translation>
    </message>
    <message>
        <source>; as %1 cannot be read either, it then stops its start-up with an error box and loads no questions</source>
        <translation>; а так как и %1 прочитать нельзя, программа затем прерывает запуск сообщением об ошибке и не загружает вопросы</translation>
    </message>
    <message>
        <source>the picture folder must be named «%1» (names are case-sensitive): the program finds none of these pictures</source>
        <translation>папка с картинками должна называться «%1» (большие и маленькие буквы различаются): программа не находит ни одной из этих картинок</translation>
    </message>
    <message>
        <source>«%1» is not a folder: the program finds no picture</source>
        <translation>«%1» — не папка: программа не находит ни одной картинки</translation>
    </message>
    <message>
        <source>a folder with a picture's name: the program shows the blank picture for %1</source>
        <translation>папка с именем картинки: для вопроса «%1» программа показывает пустую картинку</translation>
    </message>
    <message>
        <source>the name matches no question (the program looks for names such as «Quz_7_5.jpg»), so this file is never shown</source>
        <translation>имя не подходит ни к одному вопросу (программа ищет имена вида «Quz_7_5.jpg»), поэтому этот файл никогда не показывается</translation>
    </message>
    <message>
        <source>the name is for %1, which the program never asks (tickets 01-%2, questions 01-%3), so this file is never shown</source>
        <translation>имя относится к вопросу «%1», которого программа не спрашивает (билеты 01–%2, вопросы 01–%3), поэтому этот файл никогда не показывается</translation>
    </message>
    <message>
        <source>numbers without leading zeros</source>
        <translation>номера без нулей впереди</translation>
    </message>
    <message>
        <source>the extension .jpg</source>
        <translation>окончание имени .jpg</translation>
    </message>
    <message>
        <source>names are case-sensitive</source>
        <translation>большие и маленькие буквы в именах различаются</translation>
    </message>
    <message>
        <source>exactly this spelling</source>
        <translation>именно такое написание</translation>
    </message>
    <message>
        <source>the program looks for «%1» (%2), so this picture is never shown; %3</source>
        <translation>программа ищет «%1» (%2), поэтому эта картинка никогда не показывается; %3</translation>
    </message>
    <message>
        <source>«%1» exists as well and is the one shown</source>
        <translation>«%1» тоже есть, и показывается именно она</translation>
    </message>
    <message>
        <source>it shows the blank picture for %1 instead</source>
        <translation>вместо неё для вопроса «%1» показывается пустая картинка</translation>
    </message>
    <message>
        <source>%1: questions without a picture show an empty picture area instead of the blank placeholder</source>
        <translation>%1: у вопросов без картинки место картинки остаётся пустым вместо картинки-заглушки</translation>
    </message>
    <message>
        <source>the button «?» shows an error box instead of the help</source>
        <translation>кнопка «?» показывает сообщение об ошибке вместо справки</translation>
    </message>
    <message>
        <source>it is read only when %1 is missing, but then the program stops its start-up with an error box and loads no questions</source>
        <translation>он нужен, только когда нет %1, но тогда программа прерывает запуск сообщением об ошибке и не загружает вопросы</translation>
    </message>
    <message>
        <source>your set has tickets 01-%1 with questions 01-%2 (%3 of the %4 questions the program knows)</source>
        <translation>в вашем наборе билеты 01–%1, вопросы 01–%2 (%3 из %4 вопросов, которые знает программа)</translation>
    </message>
    <message>
        <source>. After the last question of ticket %1 a run goes on to ticket %2, which the program shows empty, without answer buttons; to stay within your tickets, leave «Случайно» unticked and, when ticket %1 is done, click the ticket number and set it back to 01</source>
        <translation>. После последнего вопроса билета %1 программа переходит к билету %2 и показывает его пустым, без кнопок ответа; чтобы заниматься только своими билетами, не ставьте галочку «Случайно», а когда билет %1 пройден, щёлкните по номеру билета и поставьте снова 01</translation>
    </message>
    <message>
        <source>. Questions %1-%2 of each ticket are shown empty; to stay within your questions, set «Вопросы» to «с 01 по %3»</source>
        <translation>. Вопросы %1–%2 каждого билета показываются пустыми; чтобы заниматься только своими вопросами, установите «Вопросы» «с 01 по %3»</translation>
    </message>
    <message>
        <source>at start the program shows an error box and loads no questions and no comments</source>
        <translation>при запуске программа показывает сообщение об ошибке и не загружает ни вопросов, ни комментариев</translation>
    </message>
    <message>
        <source>at start the program shows an error box, and every comment is empty</source>
        <translation>при запуске программа показывает сообщение об ошибке, и все комментарии пустые</translation>
    </message>
    <message>
        <source>%1 more findings of the kind %2 are not listed</source>
        <translation>ещё %1 замечаний вида %2 здесь не перечислены</translation>
    </message>
    <message>
        <source>%1 (line %2)</source>
        <translation>%1 (строка %2)</translation>
    </message>
    <message>
        <source>the program shows %1 as %2 of %3</source>
        <translation>программа показывает %1 как %2 вопроса %3</translation>
    </message>
    <message>
        <source>variant %1</source>
        <translation>вариант %1</translation>
    </message>
    <message>
        <source>variants %1-%2</source>
        <translation>варианты %1–%2</translation>
    </message>
    <message>
        <source>the question as %1, its variants as meant</source>
        <translation>вопрос как %1, а варианты — как задумано</translation>
    </message>
    <message>
        <source>the question as %1 with %2%3</source>
        <translation>вопрос как %1 и %2%3</translation>
    </message>
    <message numerus="yes">
        <source>%n variant(s)</source>
        <translation>
            <numerusform>%n вариант</numerusform><numerusform>%n варианта</numerusform><numerusform>%n вариантов</numerusform></translation>
    </message>
    <message>
        <source> (expected at the end of the file)</source>
        <translation> (должен быть в конце файла)</translation>
    </message>
    <message>
        <source>no record for %1%2: the program shows %3 empty, without answer buttons</source>
        <translation>нет вопроса %1%2: программа показывает «%3» пустым, без кнопок ответа</translation>
    </message>
    <message>
        <source>no records for %1 to %2 (%3)%4: the program shows these questions empty, without answer buttons</source>
        <translation>нет вопросов с %1 по %2 (%3)%4: программа показывает эти вопросы пустыми, без кнопок ответа</translation>
    </message>
    <message numerus="yes">
        <source>%n question(s)</source>
        <translation>
            <numerusform>%n вопрос</numerusform><numerusform>%n вопроса</numerusform><numerusform>%n вопросов</numerusform></translation>
    </message>
    <message>
        <source>these lines</source>
        <translation>эти строки</translation>
    </message>
    <message>
        <source>no header line before this line: the lines from here (question %1) look like the record of %2, which the program does not find, so it shows %3 empty, without answer buttons; %4</source>
        <translation>перед этой строкой нет заголовка: строки отсюда (вопрос %1) похожи на вопрос %2, но программа его не находит и показывает «%3» пустым, без кнопок ответа; %4</translation>
    </message>
    <message>
        <source>these lines are never shown</source>
        <translation>эти строки никогда не показываются</translation>
    </message>
    <message>
        <source>%1 is not read as a header: the program only finds «билет» in small Cyrillic letters at the start of the line, directly followed by the ticket and question numbers</source>
        <translation>программа не считает %1 заголовком: она находит только слово «билет» строчными русскими буквами в начале строки, сразу за которым идут номера билета и вопроса</translation>
    </message>
    <message>
        <source>; %1 has no record, so the program shows %2 empty</source>
        <translation>; вопроса %1 нет, поэтому программа показывает «%2» пустым</translation>
    </message>
    <message>
        <source>; the program reads %1 from line %2 instead</source>
        <translation>; вместо этого программа берёт %1 из строки %2</translation>
    </message>
    <message>
        <source>this line and the ones below it</source>
        <translation>эту строку и строки под ней</translation>
    </message>
    <message>
        <source>; the variant list before it runs on: </source>
        <translation>; список вариантов перед ней не заканчивается: </translation>
    </message>
    <message>
        <source>%1 names no question the program asks (tickets 01-%2, questions 01-%3): this record is never shown</source>
        <translation>%1 — такого вопроса программа не спрашивает (билеты 01–%2, вопросы 01–%3): этот вопрос никогда не показывается</translation>
    </message>
    <message>
        <source>%1 appears a second time (first on line %2, which the program shows): this record is never shown</source>
        <translation>%1 встречается второй раз (первый — в строке %2, его программа и показывает): этот вопрос никогда не показывается</translation>
    </message>
    <message>
        <source>; it is probably meant to be %1, which has no record, so the program shows %2 empty</source>
        <translation>; вероятно, имелся в виду %1: такого вопроса нет, поэтому программа показывает «%2» пустым</translation>
    </message>
    <message>
        <source>blanks before «билет»: the program still finds this header</source>
        <translation>пробелы перед словом «билет»: программа всё равно находит этот заголовок</translation>
    </message>
    <message>
        <source>the header does not start its line (%1 comes before «билет»)</source>
        <translation>заголовок стоит не в начале строки (перед словом «билет» стоит %1)</translation>
    </message>
    <message>
        <source>: as the line holds «билет», it ends the variant list of %1, and %2 is not shown as a variant</source>
        <translation>: раз в строке есть слово «билет», она заканчивает список вариантов вопроса %1, и %2 не показывается как вариант</translation>
    </message>
    <message>
        <source>the program shows %1</source>
        <translation>программа показывает %1</translation>
    </message>
    <message>
        <source>the answer digit is missing</source>
        <translation>нет цифры правильного ответа</translation>
    </message>
    <message>
        <source>the program takes the line end as the answer, so no answer button is ever right, and shows %1</source>
        <translation>программа принимает за ответ конец строки, поэтому ни одна кнопка ответа не будет правильной, и показывает %1</translation>
    </message>
    <message numerus="yes">
        <source>%n trailing blank(s)</source>
        <translation>
            <numerusform>%n лишний пробел в конце</numerusform><numerusform>%n лишних пробела в конце</numerusform><numerusform>%n лишних пробелов в конце</numerusform></translation>
    </message>
    <message>
        <source>extra characters %1 after the answer digit</source>
        <translation>лишние знаки %1 после цифры ответа</translation>
    </message>
    <message>
        <source>the header line has %1 characters instead of 10 (%2): %3</source>
        <translation>в строке-заголовке %1 знаков вместо 10 (%2): %3</translation>
    </message>
    <message>
        <source>the answer digit %1 is not 1-5: no answer button is ever right, so the question cannot be answered</source>
        <translation>цифра ответа %1 — не от 1 до 5: ни одна кнопка ответа не будет правильной, и ответить на вопрос нельзя</translation>
    </message>
    <message>
        <source>the answer is %1, but the record has only %2: the program shows no button %1, so the question cannot be answered right</source>
        <translation>правильный ответ — %1, но у вопроса только %2: кнопки %1 программа не показывает, и ответить правильно нельзя</translation>
    </message>
    <message>
        <source>the record has no question line and no variants: the program shows an empty question without answer buttons</source>
        <translation>у вопроса нет ни текста вопроса, ни вариантов: программа показывает пустой вопрос без кнопок ответа</translation>
    </message>
    <message>
        <source>blank line after the header: the program shows an empty question and, as the line after it (%1) holds «билет», no variants and no answer buttons</source>
        <translation>пустая строка после заголовка: программа показывает пустой вопрос, а так как в следующей строке (%1) есть слово «билет», — ни вариантов, ни кнопок ответа</translation>
    </message>
    <message>
        <source>blank line after the header: the program shows an empty question, and the line after it (%1) as the first variant, with its own answer button (%2 for %3)</source>
        <translation>пустая строка после заголовка: программа показывает пустой вопрос, а следующую строку (%1) — как первый вариант со своей кнопкой ответа (%2 на %3)</translation>
    </message>
    <message numerus="yes">
        <source>%n button(s)</source>
        <translation>
            <numerusform>%n кнопка</numerusform><numerusform>%n кнопки</numerusform><numerusform>%n кнопок</numerusform></translation>
    </message>
    <message>
        <source>the program moves button 5 down to it, so variant 5 gets no button</source>
        <translation>программа сдвигает к нему кнопку 5, и вариант 5 остаётся без кнопки</translation>
    </message>
    <message>
        <source>from button %1 on the buttons no longer match the variants (%2 for %3)</source>
        <translation>начиная с кнопки %1 кнопки не совпадают с вариантами (%2 на %3)</translation>
    </message>
    <message>
        <source>%1 read as an extra, empty variant with its own answer button: %2</source>
        <translation>%1 как лишний пустой вариант со своей кнопкой ответа: %2</translation>
    </message>
    <message>
        <source>these blank lines are</source>
        <translation>эти пустые строки читаются</translation>
    </message>
    <message>
        <source>this blank line is</source>
        <translation>эта пустая строка читается</translation>
    </message>
    <message>
        <source>blank line inside the variants: the program joins it to the variant below it (%1) and places an extra answer button beside it: %2</source>
        <translation>пустая строка среди вариантов: программа присоединяет её к варианту под ней (%1) и ставит рядом лишнюю кнопку ответа: %2</translation>
    </message>
    <message>
        <source>the program reads the variants differently from here: it shows %1 as variant %2</source>
        <translation>отсюда программа читает варианты иначе: она показывает %1 как вариант %2</translation>
    </message>
    <message>
        <source>; the variant list ends there, so %1</source>
        <translation>; на этом список вариантов заканчивается, поэтому %1</translation>
    </message>
    <message>
        <source>this variant contains «билет», which ends the variant list: the program shows only %1, and %2</source>
        <translation>в этом варианте есть слово «билет», и на нём список вариантов заканчивается: программа показывает только %1, а %2</translation>
    </message>
    <message>
        <source>the question, no variant</source>
        <translation>вопрос, без вариантов</translation>
    </message>
    <message>
        <source>; the right answer %1 has no button, so the question cannot be answered right</source>
        <translation>; у правильного ответа %1 нет кнопки, и ответить правильно нельзя</translation>
    </message>
    <message>
        <source>the program stops reading the variants before this line: it shows only %1 of %2</source>
        <translation>программа перестаёт читать варианты перед этой строкой: она показывает только %1 из %2</translation>
    </message>
    <message>
        <source>the record has no variants: the program shows no answer button, so the question cannot be answered</source>
        <translation>у вопроса нет вариантов: программа не показывает ни одной кнопки ответа, и ответить нельзя</translation>
    </message>
    <message>
        <source>the record has only 1 variant: the program shows a single answer button%1</source>
        <translation>у вопроса только 1 вариант: программа показывает одну кнопку ответа%1</translation>
    </message>
    <message>
        <source>, and the right answer %1 has none, so the question cannot be answered right</source>
        <translation>, а у правильного ответа %1 кнопки нет, и ответить правильно нельзя</translation>
    </message>
    <message>
        <source>the record has %1 variants, but there are 5 answer buttons: the program moves button 5 on to the last variant, so %2 no button</source>
        <translation>у вопроса %1 вариантов, а кнопок ответа 5: программа переносит кнопку 5 к последнему варианту, поэтому %2 без кнопки</translation>
    </message>
    <message>
        <source>variant 5 gets</source>
        <translation>вариант 5 остаётся</translation>
    </message>
    <message>
        <source>variants 5-%1 get</source>
        <translation>варианты 5–%1 остаются</translation>
    </message>
    <message>
        <source>no line containing «билет» (such as «билет конец») follows the last record %1: the program ends its variant list only because the file ends here</source>
        <translation>после последнего вопроса %1 нет строки со словом «билет» (например, «билет конец»): программа заканчивает его список вариантов только потому, что здесь кончается файл</translation>
    </message>
    <message>
        <source>the record %1 is cut short there</source>
        <translation>вопрос %1 здесь обрывается</translation>
    </message>
    <message>
        <source>the record of %1 behind it is lost</source>
        <translation>вопрос %1 после него пропадает</translation>
    </message>
    <message>
        <source>%1 behind it are lost (%2 to %3)</source>
        <translation>после него пропадают %1 (с %2 по %3)</translation>
    </message>
    <message numerus="yes">
        <source>%n record(s)</source>
        <translation>
            <numerusform>%n вопрос</numerusform><numerusform>%n вопроса</numerusform><numerusform>%n вопросов</numerusform></translation>
    </message>
    <message>
        <source>%1 occurs inside this line, after another key: the program reads the record of %2 from here</source>
        <translation>%1 стоит внутри этой строки, после другого заголовка: программа читает вопрос «%2» отсюда</translation>
    </message>
    <message>
        <source>write the missing record: its header line («билет», ticket, question, answer), the question on one line, then the variants</source>
        <translation>допишите недостающий вопрос: строку-заголовок («билет», номер билета, номер вопроса, цифра ответа), текст вопроса одной строкой, затем варианты ответа</translation>
    </message>
    <message>
        <source>write the header line of that question above this line</source>
        <translation>впишите строку-заголовок этого вопроса над этой строкой</translation>
    </message>
    <message>
        <source>write the header as «билет» in small letters at the start of the line, then the ticket and question numbers (two digits each) and the answer digit</source>
        <translation>напишите заголовок так: в начале строки «билет» строчными буквами, затем номер билета и номер вопроса (по две цифры) и цифра правильного ответа</translation>
    </message>
    <message>
        <source>correct the ticket or question number, or delete the question</source>
        <translation>исправьте номер билета или вопроса или удалите этот вопрос</translation>
    </message>
    <message>
        <source>correct the numbers of one of the two, or delete the copy</source>
        <translation>исправьте номера у одного из двух вопросов или удалите копию</translation>
    </message>
    <message>
        <source>put the header on a line of its own</source>
        <translation>перенесите заголовок на отдельную строку</translation>
    </message>
    <message>
        <source>the header line holds «билет», the ticket and question numbers and the answer digit, nothing else: correct it</source>
        <translation>в строке-заголовке должны быть только «билет», номера билета и вопроса и цифра ответа — исправьте её</translation>
    </message>
    <message>
        <source>write the number of the right variant (1-5) at the end of the header line, or add the missing variant</source>
        <translation>напишите в конце строки-заголовка номер правильного варианта (от 1 до 5) или допишите недостающий вариант</translation>
    </message>
    <message>
        <source>write the question on the line after the header and at least two variants below it, one per line</source>
        <translation>напишите текст вопроса в строке после заголовка, а под ним — не меньше двух вариантов ответа, по одному в строке</translation>
    </message>
    <message>
        <source>delete the blank line (a blank line may only come after the last variant)</source>
        <translation>удалите пустую строку (пустая строка допускается только после последнего варианта)</translation>
    </message>
    <message>
        <source>reword the variant without the word «билет» (for example «Билет» with a capital letter)</source>
        <translation>перепишите вариант без слова «билет» (например, «Билет» с большой буквы)</translation>
    </message>
    <message>
        <source>check the lines before this one</source>
        <translation>проверьте строки перед этой</translation>
    </message>
    <message>
        <source>keep at most 5 variants</source>
        <translation>оставьте не больше 5 вариантов</translation>
    </message>
    <message>
        <source>add a line «билет конец» after the last question</source>
        <translation>добавьте после последнего вопроса строку «билет конец»</translation>
    </message>
    <message>
        <source>put that header at the start of a line of its own</source>
        <translation>перенесите этот заголовок в начало отдельной строки</translation>
    </message>
    <message>
        <source>write the ticket's header line («билет» and its two-digit number) above its comments</source>
        <translation>впишите над комментариями билета его строку-заголовок («билет» и номер билета из двух цифр)</translation>
    </message>
    <message>
        <source>write the header as «билет» in small letters at the start of the line, directly followed by the two-digit ticket number</source>
        <translation>напишите заголовок так: в начале строки «билет» строчными буквами и сразу за ним номер билета из двух цифр</translation>
    </message>
    <message>
        <source>put a title line (any text) above it</source>
        <translation>добавьте над ним строку с названием (любой текст)</translation>
    </message>
    <message>
        <source>correct the ticket number, or delete these comments</source>
        <translation>исправьте номер билета или удалите эти комментарии</translation>
    </message>
    <message>
        <source>correct the ticket number, or delete the second copy</source>
        <translation>исправьте номер билета или удалите вторую копию</translation>
    </message>
    <message>
        <source>write the missing comment: a line that begins with its number, a full stop and a space</source>
        <translation>допишите недостающий комментарий: строку, которая начинается с его номера, точки и пробела</translation>
    </message>
    <message>
        <source>change the start of this line so that it does not begin with a number, a full stop and a space</source>
        <translation>измените начало этой строки так, чтобы она не начиналась с числа, точки и пробела</translation>
    </message>
    <message>
        <source>begin the comment with its number, a full stop and a space</source>
        <translation>начните комментарий с его номера, точки и пробела</translation>
    </message>
    <message>
        <source>after the ticket's last comment, add a line such as «21. ----»</source>
        <translation>после последнего комментария билета добавьте строку вроде «21. ----»</translation>
    </message>
    <message>
        <source>do not begin a line inside a comment with a number and a full stop: join it to the line before</source>
        <translation>не начинайте строку внутри комментария с числа и точки — присоедините её к предыдущей строке</translation>
    </message>
    <message>
        <source>write the next comment of the ticket (or, after the last one, a line such as «21. ----»)</source>
        <translation>допишите следующий комментарий билета (а после последнего — строку вроде «21. ----»)</translation>
    </message>
    <message>
        <source>put a readable file of that name into the folder</source>
        <translation>положите в папку файл с этим именем, который можно прочитать</translation>
    </message>
    <message>
        <source>retype the character on this line</source>
        <translation>наберите этот знак в строке заново</translation>
    </message>
    <message>
        <source>delete the invisible character (or save the file again as plain text)</source>
        <translation>удалите невидимый знак (или сохраните файл заново как обычный текст)</translation>
    </message>
    <message>
        <source>correct the line to the form «-&gt; 05 вопрос 12», or delete it</source>
        <translation>исправьте строку по образцу «-&gt; 05 вопрос 12» или удалите её</translation>
    </message>
    <message>
        <source>save the picture again as a JPEG file</source>
        <translation>сохраните картинку заново в формате JPEG</translation>
    </message>
    <message>
        <source>save the picture again with fewer pixels</source>
        <translation>сохраните картинку заново меньшего размера</translation>
    </message>
    <message>
        <source>put the picture of ticket 1, question 10 into the folder bmp</source>
        <translation>положите картинку к билету 1, вопросу 10 в папку bmp</translation>
    </message>
    <message>
        <source>rename the folder to «bmp»</source>
        <translation>переименуйте папку в «bmp»</translation>
    </message>
    <message>
        <source>rename or move the folder</source>
        <translation>переименуйте или уберите эту папку</translation>
    </message>
    <message>
        <source>rename the file as the program looks for it, or move it away</source>
        <translation>переименуйте файл так, как его ищет программа, или уберите его</translation>
    </message>
    <message>
        <source>put a readable Windows bitmap named emp.bmp into the program folder</source>
        <translation>положите в папку программы картинку BMP с именем emp.bmp</translation>
    </message>
    <message>
        <source>put the file back into the program folder</source>
        <translation>верните этот файл в папку программы</translation>
    </message>
    <message>
        <source>what to do: %1</source>
        <translation>что сделать: %1</translation>
    </message>
    <message>
        <source>no problems found</source>
        <translation>ошибок не найдено</translation>
    </message>
    <message numerus="yes">
        <source>%n problem(s)</source>
        <translation>
            <numerusform>%n ошибка</numerusform><numerusform>%n ошибки</numerusform><numerusform>%n ошибок</numerusform></translation>
    </message>
    <message>
        <source> and </source>
        <translation> и </translation>
    </message>
    <message numerus="yes">
        <source>%n note(s)</source>
        <translation>
            <numerusform>%n замечание к сведению</numerusform><numerusform>%n замечания к сведению</numerusform><numerusform>%n замечаний к сведению</numerusform></translation>
    </message>
    <message>
        <source> in </source>
        <translation>, файлов: </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s)</source>
        <translation>
            <numerusform>%n</numerusform><numerusform>%n</numerusform><numerusform>%n</numerusform></translation>
    </message>
    <message>
        <source>note: </source>
        <translation>к сведению: </translation>
    </message>
    <message>
        <source>the program finds none of the records, so every question is shown empty</source>
        <translation>программа не находит ни одного вопроса, и все вопросы показываются пустыми</translation>
    </message>
    <message>
        <source>the program finds no ticket header and shows the comments as unreadable text</source>
        <translation>программа не находит ни одного заголовка билета и показывает комментарии нечитаемыми знаками</translation>
    </message>
    <message>
        <source>the program shows it as unreadable text</source>
        <translation>программа показывает его нечитаемыми знаками</translation>
    </message>
    <message>
        <source>the journal shows its lines as unreadable text, and the answer mode reads wrong ticket and question numbers from its error entries</source>
        <translation>журнал показывает его строки нечитаемыми знаками, а в режиме ответа программа берёт из записей ошибок неверные номера билетов и вопросов</translation>
    </message>
    <message>
        <source>%1 is not a Windows-1251 character, so the conversion stops here: replace it (and any other such character on this line) before you convert the file</source>
        <translation>знака %1 нет в кодировке Windows-1251, и перекодирование на нём остановится: замените его (и другие такие знаки в этой строке), прежде чем перекодировать файл</translation>
    </message>
    <message numerus="yes">
        <source>%n more line(s) up to this one have characters that Windows-1251 does not have</source>
        <translation>
            <numerusform>ещё в %n строке до этой есть знаки, которых нет в кодировке Windows-1251</numerusform><numerusform>ещё в %n строках до этой есть знаки, которых нет в кодировке Windows-1251</numerusform><numerusform>ещё в %n строках до этой есть знаки, которых нет в кодировке Windows-1251</numerusform></translation>
    </message>
    <message>
        <source>the file is UTF-16 text; the program reads Windows-1251 and stops at the first NUL byte, so it sees %1; the findings below are those of the file once converted; convert it: </source>
        <translation>файл в кодировке UTF-16, а программа читает кодировку Windows-1251 и останавливается на первом нулевом байте, поэтому видит %1; замечания ниже относятся к уже перекодированному файлу; перекодируйте его командой: </translation>
    </message>
    <message>
        <source>nothing of it</source>
        <translation>ничего</translation>
    </message>
    <message>
        <source>only </source>
        <translation>только </translation>
    </message>
    <message>
        <source>the file is UTF-8 text; the program reads Windows-1251</source>
        <translation>файл в кодировке UTF-8, а программа читает кодировку Windows-1251</translation>
    </message>
    <message>
        <source>, so %1 shows as %2</source>
        <translation>, поэтому %1 выглядит как %2</translation>
    </message>
    <message>
        <source>: %1; the findings below are those of the file once converted; convert it: </source>
        <translation>: %1; замечания ниже относятся к уже перекодированному файлу; перекодируйте его командой: </translation>
    </message>
    <message>
        <source>an invisible control character (%1)</source>
        <translation>невидимый управляющий знак (%1)</translation>
    </message>
    <message>
        <source>byte 0x98 is not a Windows-1251 character; the program shows %1 in its place (the text was probably converted from another code page)</source>
        <translation>байт 0x98 — не знак кодировки Windows-1251; программа показывает на его месте %1 (вероятно, текст перекодировали из другой кодировки)</translation>
    </message>
    <message>
        <source>byte 0x98 is on %1 more lines up to this one</source>
        <translation>байт 0x98 есть ещё в %1 строках до этой</translation>
    </message>
    <message>
        <source>NUL byte (character %1 of the line): the program stops reading the file here and ignores %2</source>
        <translation>невидимый нулевой знак (знак %1 в строке): здесь программа перестаёт читать файл и пропускает %2</translation>
    </message>
    <message>
        <source>the rest of this line and the %1 after it</source>
        <translation>остаток этой строки и ещё %1 после неё</translation>
    </message>
    <message numerus="yes">
        <source>%n line(s)</source>
        <translation>
            <numerusform>%n строка</numerusform><numerusform>%n строки</numerusform><numerusform>%n строк</numerusform></translation>
    </message>
    <message>
        <source>the rest of this line</source>
        <translation>остаток этой строки</translation>
    </message>
    <message>
        <source>mixed line ends (%1; the first that differs ends this line): the program ends a line at each of them, as most editors do</source>
        <translation>разные концы строк (%1; первый отличающийся — в конце этой строки): программа, как и большинство редакторов, считает концом строки каждый из них</translation>
    </message>
    <message>
        <source>lines %1-%2</source>
        <translation>строки %1–%2</translation>
    </message>
    <message>
        <source>line %1 is not shown</source>
        <translation>строка %1 не показывается</translation>
    </message>
    <message>
        <source>lines %1-%2 are not shown</source>
        <translation>строки %1–%2 не показываются</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>Нет такого файла или папки</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Нет доступа</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Это папка</translation>
    </message>
    <message>
        <source>Not a regular file</source>
        <translation>Это не обычный файл</translation>
    </message>
    <message>
        <source>JPEG error #%1</source>
        <translation>ошибка JPEG №%1</translation>
    </message>
    <message>
        <source>JPEG warning #%1</source>
        <translation>предупреждение JPEG №%1</translation>
    </message>
    <message>
        <source>Bitmap image is not valid</source>
        <translation>файл — не читаемая картинка BMP</translation>
    </message>
    <message>
        <source>A program directory, or files.</source>
        <translation>Папка программы или файлы.</translation>
    </message>
    <message>
        <source>Try '%1 --help'.</source>
        <translation>Подробнее: %1 --help</translation>
    </message>
    <message>
        <source>Checks the program directory DIR (default: the folder of quz-check, which is
the folder of quz) for everything the program would misread: the question file
vopros.txt, the comment file koment.txt, the pictures in bmp/, emp.bmp, Help.txt
and the install notes, and the journal files (*.quz) kept there. FILEs named
instead are checked each as what it is: see --kind.

Each finding is one line, file:line: what is wrong, what the program shows
because of it and what to do, grouped by file, followed by a summary line.

Exit status: 0 when nothing is wrong (notes do not count), 1 when something
is, 2 on a usage error. A set of fewer tickets or questions than 40 x 20 is
a note, not a problem.</source>
        <translation>Проверяет папку программы DIR (по умолчанию — папку quz-check, она же папка
quz): всё, что программа прочитала бы не так, как задумано, — файл вопросов
vopros.txt, файл комментариев koment.txt, картинки в bmp/, emp.bmp, Help.txt,
указания по установке и журналы ошибок (*.quz) в этой папке. Названные вместо
папки файлы FILE проверяются каждый как то, чем он является: см. --kind.

Каждое замечание — одна строка «файл:строка: что не так, что из-за этого
показывает программа и что сделать», по файлам, а в конце — итоговая строка.

Код завершения: 0 — ошибок нет (замечания к сведению не в счёт), 1 — есть
ошибки, 2 — ошибка в команде. Набор, в котором меньше билетов или вопросов,
чем 40 × 20, — замечание к сведению, а не ошибка.</translation>
    </message>
    <message>
        <source>the file is UTF-16 text; the program reads Windows-1251: %1; the findings below are those of the file once converted; convert it: </source>
        <translation>файл в кодировке UTF-16, а программа читает кодировку Windows-1251: %1; замечания ниже относятся к уже перекодированному файлу; перекодируйте его командой: </translation>
    </message>
    <message>
        <source>NUL byte (character %1 of the line): the journal keeps it as a character of this line and shows it as a small box</source>
        <translation>невидимый нулевой знак (знак %1 в строке): журнал оставляет его знаком этой строки и показывает маленьким квадратиком</translation>
    </message>
    <message numerus="yes">
        <source>; %n more line(s) hold NUL bytes</source>
        <translation>
            <numerusform>; нулевые знаки есть ещё в %n строке</numerusform><numerusform>; нулевые знаки есть ещё в %n строках</numerusform><numerusform>; нулевые знаки есть ещё в %n строках</numerusform></translation>
    </message>
    <message>
        <source>the journal shows its lines as unreadable text</source>
        <translation>журнал показывает его строки нечитаемыми знаками</translation>
    </message>
    <message numerus="yes">
        <source>, and the answer mode does not find its %n error entries</source>
        <translation>
            <numerusform>, а в режиме ответа программа не находит в нём ни одной записи ошибки (а их %n)</numerusform><numerusform>, а в режиме ответа программа не находит в нём ни одной записи ошибки (а их %n)</numerusform><numerusform>, а в режиме ответа программа не находит в нём ни одной записи ошибки (а их %n)</numerusform></translation>
    </message>
    <message>
        <source>, and the answer mode asks other ticket and question numbers than its error entries name</source>
        <translation>, а в режиме ответа программа спрашивает не те билеты и вопросы, что названы в его записях ошибок</translation>
    </message>
    <message>
        <source>Show this help and exit.</source>
        <translation>Показать эту справку и выйти.</translation>
    </message>
    <message>
        <source>Show the version and exit.</source>
        <translation>Показать версию программы и выйти.</translation>
    </message>
</context>
</TS>
