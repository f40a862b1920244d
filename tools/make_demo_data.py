#!/usr/bin/env python3
"""Regenerates the demonstration program directory data/.

Writes, in the program's own file layouts:
  vopros.txt         all 800 question records (40 tickets x 20 questions)
  koment.txt         a comment for every question
  Help.txt           the help text of the comment window
  Установка!!!.txt   the install notes shown when the picture set is missing
  emp.bmp            the placeholder picture (24-bit Windows bitmap)
  bmp/Quz_<t>_<q>.jpg  a few question pictures (drawn with ImageMagick)

Every text file is Windows-1251 with CR LF line ends. A handful of questions
are genuine practice questions; all others are generated and say plainly that
they are demonstration content. The text files and emp.bmp come out byte for
byte the same on every run. The pictures need ImageMagick's `convert`; when it
is missing, pictures that already exist are kept and the rest are skipped.

Usage: python3 tools/make_demo_data.py [--out DIR] [--skip-pictures]
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys

TICKETS = 40
QUESTIONS = 20
CRLF = "\r\n"
MARKER = "билет"


class Rng:
    """SplitMix64, so that the output does not depend on the Python
    version's random module."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFFFFFFFFFF

    def below(self, n):
        self.state = (self.state + 0x9E3779B97F4A7C15) & 0xFFFFFFFFFFFFFFFF
        z = self.state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & 0xFFFFFFFFFFFFFFFF
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & 0xFFFFFFFFFFFFFFFF
        z ^= z >> 31
        return z % n


# ---------------------------------------------------------------------------
# Genuine practice questions: (ticket, question) -> record.
# "answer" is the number of the right variant (1-based). "comment" holds the
# lines of the comment without its leading number; no line may begin with a
# digit, so that no line is mistaken for the start or end of a comment.
# ---------------------------------------------------------------------------
GENUINE = {
    (1, 1): dict(
        question="Разрешено ли продолжить движение, если при включении жёлтого "
        "сигнала светофора Вы можете остановиться только с применением "
        "экстренного торможения?",
        variants=[
            "Разрешено.",
            "Запрещено.",
            "Разрешено только при повороте направо.",
        ],
        answer=1,
        comment=[
            "Жёлтый сигнал запрещает движение, но водителю, который при его "
            "включении не может остановиться, не прибегая к экстренному "
            "торможению, разрешается дальнейшее движение.",
            "Резкое торможение перед самым перекрёстком опаснее: в Вас может "
            "врезаться едущий сзади.",
        ],
    ),
    (1, 2): dict(
        question="С какой наибольшей скоростью разрешено движение легкового "
        "автомобиля в населённом пункте, если знаками не установлено иное?",
        variants=["40 км/ч.", "60 км/ч.", "70 км/ч.", "90 км/ч."],
        answer=2,
        comment=[
            "В населённых пунктах скорость ограничена 60 км/ч, в жилых зонах и "
            "на дворовых территориях - 20 км/ч. Вне населённых пунктов "
            "легковой автомобиль может ехать до 90 км/ч, по автомагистрали - "
            "до 110 км/ч.",
        ],
    ),
    (1, 3): dict(
        question="Вы подъезжаете к нерегулируемому перекрёстку равнозначных "
        "дорог и намерены проехать прямо. Справа к перекрёстку "
        "приближается легковой автомобиль. Ваши действия?",
        variants=[
            "Проедете перекрёсток первым, так как едете прямо.",
            "Уступите дорогу автомобилю, приближающемуся справа.",
            "Проедете первым, подав предупредительный звуковой сигнал.",
        ],
        answer=2,
        comment=[
            "На перекрёстке равнозначных дорог водитель безрельсового "
            "транспортного средства обязан уступить дорогу транспортным "
            "средствам, приближающимся справа («помеха справа»), независимо "
            "от того, куда он сам собирается ехать.",
        ],
    ),
    (1, 10): dict(
        question="Вы приближаетесь к нерегулируемому пешеходному переходу, на "
        "который уже вступил пешеход (см. рисунок). Как Вы должны "
        "поступить?",
        variants=[
            "Продолжить движение, не снижая скорости: пешеход успеет "
            "отойти.",
            "Подать звуковой сигнал и проехать переход перед пешеходом.",
            "Снизить скорость или остановиться перед переходом, чтобы "
            "пропустить пешехода, который переходит проезжую часть или уже "
            "вступил на неё; продолжить движение можно, только убедившись, "
            "что пешеход больше не находится на Вашем пути и что из-за "
            "остановившихся рядом транспортных средств не выходят другие "
            "пешеходы.",
        ],
        answer=3,
        comment=[
            "Водитель, приближающийся к нерегулируемому пешеходному "
            "переходу, обязан снизить скорость или остановиться, чтобы "
            "пропустить пешеходов, переходящих проезжую часть или "
            "вступивших на неё для перехода.",
            "Если перед переходом остановился или снизил скорость другой "
            "автомобиль, продолжать движение можно, только убедившись, что "
            "перед ним нет пешеходов.",
            "Звуковой сигнал не освобождает дорогу: пешеход может "
            "растеряться и остановиться прямо перед автомобилем.",
        ],
    ),
    (1, 15): dict(
        question="Разрешён ли обгон на железнодорожном переезде и перед ним?",
        variants=[
            "Разрешён, если на переезде нет поезда.",
            "Запрещён на самом переезде и ближе чем за 100 м перед ним.",
            "Разрешён только при обгоне тихоходного транспортного "
            "средства.",
        ],
        answer=2,
        comment=[
            "Обгон запрещён на железнодорожных переездах и ближе чем за "
            "100 м перед ними, а также на регулируемых перекрёстках, на "
            "пешеходных переходах при наличии на них пешеходов, на мостах, "
            "путепроводах, эстакадах и под ними, в тоннелях, в конце подъёма "
            "и на других участках с ограниченной видимостью.",
        ],
    ),
    (1, 20): dict(
        question="Как остановить сильное артериальное кровотечение (алая кровь "
        "бьёт пульсирующей струёй) из раны на бедре?",
        variants=[
            "Наложить кровоостанавливающий жгут выше раны и записать время "
            "его наложения.",
            "Наложить жгут ниже раны.",
            "Промыть рану водой и наложить повязку без давления.",
            "Приложить к ране холод и больше ничего не делать.",
        ],
        answer=1,
        comment=[
            "При артериальном кровотечении сначала прижмите артерию пальцами "
            "выше раны, затем наложите жгут выше раны на одежду или "
            "подкладку.",
            "Под жгут вложите записку со временем его наложения: держать жгут "
            "можно лишь ограниченное время (обычно не более часа). Вызовите "
            "скорую помощь.",
        ],
    ),
    (2, 5): dict(
        question="Как изменится тормозной путь автомобиля, если скорость "
        "движения увеличится вдвое?",
        variants=[
            "Не изменится.",
            "Увеличится вдвое.",
            "Увеличится примерно в четыре раза.",
        ],
        answer=3,
        comment=[
            "Тормозной путь растёт пропорционально квадрату скорости: при "
            "вдвое большей скорости он становится примерно вчетверо длиннее.",
            "К нему добавляется путь, пройденный за время реакции водителя, "
            "который растёт пропорционально скорости.",
        ],
    ),
    (3, 8): dict(
        question="Что требует от водителя знак «Уступите дорогу» (белый "
        "треугольник с красной каймой, обращённый вершиной вниз)?",
        variants=[
            "Уступить дорогу транспортным средствам, движущимся по "
            "пересекаемой дороге.",
            "Остановиться перед стоп-линией в любом случае.",
            "Знак сообщает, что Вы едете по главной дороге.",
        ],
        answer=1,
        comment=[
            "Знак «Уступите дорогу» требует уступить дорогу транспортным "
            "средствам, движущимся по пересекаемой дороге, а при наличии "
            "таблички с направлением главной дороги - транспортным "
            "средствам, движущимся по главной.",
            "Останавливаться обязательно только там, где установлен знак "
            "«Движение без остановки запрещено».",
        ],
    ),
    (5, 12): dict(
        question="Что обязан сделать водитель перед знаком «Движение без "
        "остановки запрещено» (красный восьмиугольник)?",
        variants=[
            "Остановиться перед стоп-линией, а если её нет - перед краем "
            "пересекаемой проезжей части, и уступить дорогу транспортным "
            "средствам, движущимся по пересекаемой дороге.",
            "Снизить скорость и, убедившись в безопасности, проехать без "
            "остановки.",
            "Остановиться, только если по пересекаемой дороге движутся "
            "транспортные средства.",
        ],
        answer=1,
        comment=[
            "Знак запрещает движение без остановки перед стоп-линией, а если "
            "её нет - перед краем пересекаемой проезжей части. Водитель "
            "обязан остановиться даже тогда, когда пересекаемая дорога "
            "свободна, и уступить дорогу движущимся по ней.",
        ],
    ),
    (8, 3): dict(
        question="С какой наибольшей скоростью разрешено движение в жилой зоне?",
        variants=["10 км/ч.", "20 км/ч.", "40 км/ч.", "60 км/ч."],
        answer=2,
        comment=[
            "В жилых зонах и на дворовых территориях скорость не должна "
            "превышать 20 км/ч. Пешеходы там могут идти и по тротуарам, и по "
            "проезжей части и имеют преимущество, но не должны без нужды "
            "мешать движению.",
        ],
    ),
    (10, 10): dict(
        question="Кто должен быть пристёгнут ремнями безопасности при движении "
        "легкового автомобиля, оборудованного ремнями?",
        variants=[
            "Только водитель.",
            "Водитель и пассажир на переднем сиденье.",
            "Водитель и все пассажиры.",
        ],
        answer=3,
        comment=[
            "Водитель обязан быть пристёгнутым и не перевозить пассажиров, не "
            "пристёгнутых ремнями, если транспортное средство оборудовано "
            "ремнями безопасности. Пассажиры обязаны пристёгиваться и на "
            "переднем, и на заднем сиденье.",
        ],
    ),
    (12, 4): dict(
        question="В каких случаях водитель обязан включить аварийную "
        "сигнализацию?",
        variants=[
            "Только при дорожно-транспортном происшествии.",
            "При дорожно-транспортном происшествии, при вынужденной "
            "остановке в месте, где остановка запрещена, при ослеплении "
            "светом фар, а также при буксировке (на буксируемом "
            "транспортном средстве) и в других случаях, когда нужно "
            "предупредить участников движения об опасности.",
            "При любой остановке на обочине.",
            "Только при ослеплении светом фар.",
        ],
        answer=2,
        comment=[
            "Аварийная сигнализация включается при ДТП, при вынужденной "
            "остановке там, где остановка запрещена, при ослеплении водителя "
            "светом фар, при буксировке (на буксируемом механическом "
            "транспортном средстве), а также для предупреждения об опасности, "
            "которую может создать транспортное средство.",
        ],
    ),
    (15, 17): dict(
        question="На каком расстоянии от транспортного средства должен быть "
        "выставлен знак аварийной остановки в населённом пункте и вне "
        "населённого пункта?",
        variants=[
            "Не менее 5 м и 10 м.",
            "Не менее 15 м и 30 м.",
            "Не менее 30 м и 50 м.",
            "Не менее 10 м и 20 м.",
        ],
        answer=2,
        comment=[
            "Знак аварийной остановки выставляется на расстоянии, "
            "обеспечивающем своевременное предупреждение других водителей, "
            "но не менее 15 м от транспортного средства в населённых пунктах "
            "и 30 м вне населённых пунктов.",
        ],
    ),
    (20, 1): dict(
        question="На перекрёстке равнозначных дорог слева приближается трамвай, "
        "а Вы едете прямо. Кто имеет преимущество?",
        variants=[
            "Трамвай, независимо от направления его дальнейшего движения.",
            "Вы, так как трамвай приближается слева.",
            "Тот, кто первым въехал на перекрёсток.",
        ],
        answer=1,
        comment=[
            "На перекрёстке равнозначных дорог трамвай имеет преимущество "
            "перед безрельсовыми транспортными средствами независимо от "
            "направления своего дальнейшего движения.",
            "Правило «помехи справа» действует между безрельсовыми "
            "транспортными средствами, а также между трамваями.",
        ],
    ),
    (27, 14): dict(
        question="Как уложить пострадавшего, который находится без сознания, но "
        "дышит, до прибытия скорой помощи?",
        variants=[
            "На спину, подложив под голову валик.",
            "На бок (устойчивое боковое положение), чтобы не западал язык и "
            "рвотные массы не попали в дыхательные пути.",
            "Усадить, прислонив спиной к опоре.",
        ],
        answer=2,
        comment=[
            "Человек без сознания, лёжа на спине, может задохнуться от "
            "западания языка или рвотных масс. Поверните его на бок, "
            "согнув верхнюю ногу в колене, голову слегка запрокиньте.",
            "Следите за дыханием до приезда скорой помощи.",
        ],
    ),
    (33, 20): dict(
        question="Разрешается ли разворот на пешеходном переходе?",
        variants=[
            "Разрешается, если на переходе нет пешеходов.",
            "Запрещается.",
        ],
        answer=2,
        comment=[
            "Разворот запрещён на пешеходных переходах, в тоннелях, на "
            "мостах, путепроводах, эстакадах и под ними, на железнодорожных "
            "переездах, в местах, где видимость дороги хотя бы в одном "
            "направлении менее 100 м, и в местах остановки маршрутных "
            "транспортных средств.",
        ],
    ),
    (40, 20): dict(
        question="Какую дистанцию до движущегося впереди транспортного средства "
        "должен соблюдать водитель?",
        variants=[
            "Не менее 10 м при любой скорости.",
            "Такую, которая позволит избежать столкновения, если впереди "
            "идущий автомобиль затормозит.",
            "В метрах - не менее половины скорости в километрах в час.",
            "Не менее длины своего автомобиля.",
        ],
        answer=2,
        comment=[
            "Правила не называют дистанцию в метрах: она должна позволять "
            "избежать столкновения. Удобный ориентир - не менее двух секунд "
            "до автомобиля впереди, на мокрой или скользкой дороге больше.",
        ],
    ),
}

# Demonstration questions that have a demonstration picture.
DEMO_PICTURES = {(7, 12), (9, 9), (36, 6)}

LONG_VARIANT = (
    "Вариант ответа {n} (демонстрация): этот вариант нарочно сделан длинным, "
    "чтобы он не поместился в одну строку поля с вариантами ответов и "
    "переносился на несколько строк; кнопка с номером при этом встаёт рядом "
    "с серединой варианта, а следующие кнопки сдвигаются вниз."
)


def demo_record(ticket, question, rng):
    """A generated record that says plainly that it is not a real question."""
    count = 2 + rng.below(4)
    answer = 1 + rng.below(count)
    long_index = rng.below(count) + 1 if rng.below(4) == 0 else 0
    variants = []
    for n in range(1, count + 1):
        if n == long_index:
            variants.append(LONG_VARIANT.format(n=n))
        else:
            variants.append("Вариант ответа {} (демонстрация)".format(n))
    picture = ""
    if (ticket, question) in DEMO_PICTURES:
        picture = " К вопросу есть демонстрационная картинка."
    text = (
        "Демонстрационный вопрос: билет {t}, вопрос {q}. Правильный ответ — "
        "вариант {a}.{p}".format(t=ticket, q=question, a=answer, p=picture)
    )
    comment = [
        "Демонстрационный комментарий к билету {t}, вопросу {q}: правильный "
        "ответ — вариант {a}.".format(t=ticket, q=question, a=answer)
    ]
    if rng.below(3) == 0:
        comment.append(
            "Эта строка показывает, что комментарий может занимать несколько "
            "строк. Замените koment.txt настоящими комментариями."
        )
    return dict(question=text, variants=variants, answer=answer, comment=comment)


def build_records():
    """All 800 records in file order, with a flag for a blank line after each."""
    rng = Rng(20040101)
    records = []
    for ticket in range(1, TICKETS + 1):
        for question in range(1, QUESTIONS + 1):
            demo = demo_record(ticket, question, rng)
            record = GENUINE.get((ticket, question), demo)
            blank_after = rng.below(2) == 0
            records.append((ticket, question, record, blank_after))
    return records


def check_record(ticket, question, record):
    count = len(record["variants"])
    where = "ticket {} question {}".format(ticket, question)
    if not 2 <= count <= 5:
        sys.exit("{}: {} variants".format(where, count))
    if not 1 <= record["answer"] <= count:
        sys.exit("{}: answer {} of {}".format(where, record["answer"], count))
    for line in record["variants"] + [record["question"]]:
        if "\r" in line or "\n" in line or line != line.strip() or not line:
            sys.exit("{}: bad line {!r}".format(where, line))
    for line in record["variants"]:
        if MARKER in line:
            sys.exit("{}: a variant contains the record marker".format(where))
    for line in record["comment"]:
        if not line or line[0].isdigit() or line.startswith(MARKER):
            sys.exit("{}: bad comment line {!r}".format(where, line))


def question_file(records):
    lines = []
    for ticket, question, record, blank_after in records:
        check_record(ticket, question, record)
        header = "{}{:02d}{:02d}{}".format(MARKER, ticket, question, record["answer"])
        assert len(header) == 10
        lines.append(header)
        lines.append(record["question"])
        lines.extend(record["variants"])
        if blank_after:
            lines.append("")
    lines.append(MARKER + " конец")
    return lines


def comment_file(records):
    lines = ["Комментарии к экзаменационным билетам QUZ (демонстрационный набор)"]
    for ticket, question, record, _ in records:
        if question == 1:
            genuine = any((ticket, q) in GENUINE for q in range(1, QUESTIONS + 1))
            suffix = "" if genuine else " (демонстрационные комментарии)"
            lines.append("{}{:02d}{}".format(MARKER, ticket, suffix))
        first, *rest = record["comment"]
        lines.append("{}. {}".format(question, first))
        lines.extend(rest)
        if question == QUESTIONS:
            lines.append("21. ----")
    return lines


HELP = """\
QUZ - экзаменационные билеты по Правилам дорожного движения (с 01.01.2004)
Краткая справка. Окно справки закрывается любой клавишей или двойным щелчком левой кнопки мыши.

НАЧАЛО РАБОТЫ
Номер билета и номер вопроса стоят красными цифрами в заголовке области вопроса. Щёлкните по номеру - откроется поле ввода: наберите число и нажмите Enter (Esc - отмена). Билеты: от 1 до 40, вопросы: от 1 до 20.
В группе «Вопросы» внизу окна задаётся диапазон «с ... по ...»: стрелки рядом с числами меняют первый и последний вопрос. В каждом билете задаются только вопросы из этого диапазона.
Нажмите «Старт». Появятся картинка (если она есть), вопрос и варианты ответа.

ОТВЕТ
Щёлкните мышью по кнопке с номером рядом с вариантом или нажмите на клавиатуре цифру от 1 до 5.
Неправильный ответ: варианты окрашиваются красным, звучит сигнал, кнопка этого варианта исчезает, а ошибка записывается в журнал. Отвечайте, пока не найдёте правильный вариант.
Правильный ответ: программа переходит к следующему вопросу диапазона, а после последнего - к следующему билету.
Кнопка «Стоп» останавливает работу и показывает журнал ошибок.

ФЛАЖКИ И КЛАВИШИ
«Случайно» - следующий билет выбирается случайно.
«Авто размер» - высота поля с вариантами подстраивается под их число.
«Коммент.» - при неправильном ответе сразу показывается комментарий к вопросу.
F1 или двойной щелчок по картинке - комментарий к текущему вопросу.
Кнопка «?» в строке состояния - эта справка.

ЖУРНАЛ ОШИБОК
Кнопка «Ошибки» показывает и скрывает окно журнала. В журнал пишется строка при каждом старте и при каждой ошибке.
«сохранить» - записать журнал в файл (*.quz); «загрузить» - добавить в журнал строки из файла. Загрузка дополняет список, очищать его надо вручную.
Файл журнала можно также перетащить мышью в окно журнала или указать в командной строке при запуске программы.
«Очистить» - очистить журнал (во время работы кнопка недоступна). «Скрыть» - убрать окно журнала.
Правая кнопка мыши на списке открывает меню: сохранить, загрузить, удалить выделенное.

ОТВЕТ НА ОШИБКИ
Выделите строку журнала и нажмите «Ответить» (или дважды щёлкните по строке). Программа по очереди задаёт вопросы, на которые Вы ошиблись, начиная с выделенной строки.
Если отмечен флажок «Удалять после ответа», ошибка, на которую Вы ответили правильно, удаляется из журнала.
Кнопка «Хватит» выключает этот режим. Когда все ошибки исправлены, программа Вас поздравит.

ЗВУКИ
Кнопка «Настроить звуки» открывает панель звуков с двумя группами: «При ошибке» и «Правильный ответ».
«РС - спикер» и «РС-спикер» включают короткий сигнал. Флажок рядом с кнопкой «загрузить WAV звук» включает звук из WAV-файла, а сама кнопка выбирает файл и сразу его проигрывает.
Кнопка «OK» закрывает панель. Все настройки сохраняются при выходе из программы.
"""

INSTALL = """\
Программа ищет все свои файлы в той папке, где лежит её исполняемый файл:
  vopros.txt - вопросы билетов;
  koment.txt - комментарии к вопросам;
  Help.txt - справка;
  emp.bmp - пустая картинка для вопросов без рисунка;
  bmp - папка с картинками к вопросам.

Папка с картинками должна называться bmp (маленькими латинскими буквами) и лежать прямо в папке программы, рядом с исполняемым файлом.

Картинки - файлы JPEG с именами Quz_<билет>_<вопрос>.jpg, где номера билета и вопроса записаны без ведущих нулей:
  билет 1, вопрос 10 - bmp/Quz_1_10.jpg
  билет 7, вопрос 5 - bmp/Quz_7_5.jpg
  билет 40, вопрос 20 - bmp/Quz_40_20.jpg
Имя пишется точно так: Quz с большой буквы, расширение .jpg маленькими буквами.

У вопроса без файла картинки поле картинки остаётся пустым.
При запуске программа проверяет только файл bmp/Quz_1_10.jpg: если его нет, показывается это сообщение. После сообщения программа работает как обычно.
"""


def encode_text(lines):
    """Windows-1251 bytes with CR LF after every line."""
    text = CRLF.join(lines) + CRLF
    return text.encode("cp1251")


def text_lines(block):
    return block.rstrip("\n").split("\n")


def bmp_bytes(width, height, rgb):
    """A 24-bit uncompressed Windows bitmap filled with one colour."""
    row = bytes((rgb[2], rgb[1], rgb[0])) * width
    row += b"\0" * ((4 - len(row) % 4) % 4)
    pixels = row * height
    offset = 14 + 40
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    info = struct.pack(
        "<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0
    )
    return header + info + pixels


# ---------------------------------------------------------------------------
# Pictures: each entry is (file name, width, height, ImageMagick draw args).
# ---------------------------------------------------------------------------
FONT = "DejaVu-Sans"


def label(text, x, y, size=18, colour="black"):
    return ["-fill", colour, "-stroke", "none", "-font", FONT,
            "-pointsize", str(size), "-annotate", "+{}+{}".format(x, y), text]


def road_h(y0, y1, width):
    return ["-fill", "gray45", "-stroke", "none",
            "-draw", "rectangle 0,{} {},{}".format(y0, width, y1)]


def road_v(x0, x1, height):
    return ["-fill", "gray45", "-stroke", "none",
            "-draw", "rectangle {},0 {},{}".format(x0, x1, height)]


def dashes_h(y, x0, x1):
    out = ["-fill", "white", "-stroke", "none"]
    for x in range(x0, x1, 40):
        out += ["-draw", "rectangle {},{} {},{}".format(x, y - 2, x + 20, y + 2)]
    return out


def car(x, y, w, h, colour):
    return ["-fill", colour, "-stroke", "black", "-strokewidth", "2",
            "-draw", "roundrectangle {},{} {},{} 6,6".format(x, y, x + w, y + h)]


def pedestrian(x, y):
    return ["-fill", "none", "-stroke", "navy", "-strokewidth", "3",
            "-draw", "circle {},{} {},{}".format(x, y, x + 6, y),
            "-draw", "line {},{} {},{}".format(x, y + 6, x, y + 30),
            "-draw", "line {},{} {},{}".format(x, y + 30, x - 8, y + 45),
            "-draw", "line {},{} {},{}".format(x, y + 30, x + 8, y + 45),
            "-draw", "line {},{} {},{}".format(x - 10, y + 14, x + 10, y + 18)]


def zebra(x0, x1, y0, y1):
    out = ["-fill", "white", "-stroke", "none"]
    for y in range(y0 + 4, y1 - 6, 16):
        out += ["-draw", "rectangle {},{} {},{}".format(x0, y, x1, y + 8)]
    return out


def demo_card(text, width, height, size):
    return ["-fill", "navy", "-stroke", "navy", "-strokewidth", "2",
            "-draw", "rectangle 3,3 {},{}".format(width - 4, height - 4),
            "-fill", "lightsteelblue", "-stroke", "none",
            "-draw", "rectangle 6,6 {},{}".format(width - 7, height - 7),
            "-gravity", "center"] + label(text, 0, 0, size, "navy")


PICTURES = [
    # Ticket 1, question 10: a pedestrian on an unregulated crossing.
    ("Quz_1_10.jpg", 600, 300, "gray85",
     road_h(100, 200, 600) + dashes_h(150, 0, 260) + dashes_h(150, 360, 600)
     + zebra(290, 340, 100, 200) + pedestrian(315, 110)
     + car(60, 160, 90, 34, "firebrick") + label("1-10", 10, 290, 16)),
    # Ticket 1, question 3: crossing of equal roads, a car coming from the right.
    ("Quz_1_3.jpg", 600, 300, "darkseagreen",
     road_h(110, 190, 600) + road_v(260, 340, 300)
     + car(305, 225, 30, 60, "royalblue") + car(470, 118, 70, 30, "firebrick")
     + label("1-3", 10, 290, 16)),
    # Ticket 3, question 8: the give-way sign.
    ("Quz_3_8.jpg", 600, 300, "gray90",
     ["-fill", "red", "-stroke", "none",
      "-draw", "polygon 210,40 390,40 300,260",
      "-fill", "white", "-draw", "polygon 240,58 360,58 300,215"]
     + label("3-8", 10, 290, 16)),
    # Ticket 5, question 12: the stop sign on its post (portrait).
    ("Quz_5_12.jpg", 300, 600, "lightblue",
     ["-fill", "gray40", "-stroke", "none", "-draw", "rectangle 142,250 158,600",
      "-fill", "white", "-stroke", "none",
      "-draw", "polygon 105,60 195,60 255,120 255,210 195,270 105,270 45,210 45,120",
      "-fill", "red",
      "-draw", "polygon 110,72 190,72 243,125 243,205 190,258 110,258 57,205 57,125"]
     + label("STOP", 92, 182, 40, "white") + label("5-12", 10, 590, 16)),
    # Ticket 15, question 17: the warning triangle behind a stopped car.
    ("Quz_15_17.jpg", 600, 300, "darkseagreen",
     road_h(80, 220, 600) + dashes_h(150, 0, 600)
     + car(420, 170, 100, 40, "goldenrod")
     + ["-fill", "red", "-stroke", "none", "-draw", "polygon 120,205 160,205 140,170",
        "-fill", "gray45", "-draw", "polygon 131,198 149,198 140,182",
        "-fill", "none", "-stroke", "white", "-strokewidth", "2",
        "-draw", "line 140,240 420,240"]
     + label("15 m / 30 m", 220, 265, 20, "white") + label("15-17", 10, 290, 16)),
    # Ticket 20, question 1: a tram coming from the left at a crossing.
    ("Quz_20_1.jpg", 600, 300, "gray85",
     road_h(100, 200, 600) + road_v(260, 340, 300)
     + ["-fill", "none", "-stroke", "gray20", "-strokewidth", "3",
        "-draw", "line 0,140 600,140", "-draw", "line 0,160 600,160"]
     + car(40, 128, 150, 44, "gold") + car(305, 230, 30, 60, "royalblue")
     + label("20-1", 10, 290, 16)),
    # Demonstration pictures: labels only.
    ("Quz_7_12.jpg", 600, 300, "white", demo_card("DEMO  ticket 7  question 12", 600, 300, 30)),
    ("Quz_36_6.jpg", 600, 300, "white", demo_card("DEMO  ticket 36  question 6", 600, 300, 30)),
    ("Quz_9_9.jpg", 100, 50, "white", demo_card("9-9", 100, 50, 16)),
]


def make_pictures(folder):
    os.makedirs(folder, exist_ok=True)
    convert = shutil.which("convert")
    for name, width, height, background, draw in PICTURES:
        path = os.path.join(folder, name)
        if convert is None:
            state = "kept" if os.path.isfile(path) else "MISSING"
            print("convert not found: skipping {} ({})".format(name, state))
            continue
        command = [convert, "-size", "{}x{}".format(width, height),
                   "xc:" + background] + draw + [
            "-type", "TrueColor", "-strip", "-interlace", "None",
            "-sampling-factor", "2x2", "-quality", "80", "jpg:" + path]
        subprocess.run(command, check=True)
        size = os.path.getsize(path)
        if size >= 60 * 1024:
            sys.exit("{} is {} bytes, too large".format(name, size))


def write_bytes(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--out", default=os.path.join(here, os.pardir, "data"),
                        help="program directory to write (default: data/)")
    parser.add_argument("--skip-pictures", action="store_true",
                        help="do not redraw the JPEG pictures")
    args = parser.parse_args()
    out = os.path.normpath(args.out)
    os.makedirs(out, exist_ok=True)

    records = build_records()
    write_bytes(os.path.join(out, "vopros.txt"), encode_text(question_file(records)))
    write_bytes(os.path.join(out, "koment.txt"), encode_text(comment_file(records)))
    write_bytes(os.path.join(out, "Help.txt"), encode_text(text_lines(HELP)))
    write_bytes(os.path.join(out, "Установка!!!.txt"), encode_text(text_lines(INSTALL)))
    write_bytes(os.path.join(out, "emp.bmp"), bmp_bytes(64, 32, (212, 208, 200)))
    if args.skip_pictures:
        print("pictures skipped on request")
    else:
        make_pictures(os.path.join(out, "bmp"))

    genuine = len(GENUINE)
    print("wrote {}: {} questions ({} genuine), {} pictures".format(
        out, len(records), genuine, len(PICTURES)))


if __name__ == "__main__":
    main()
