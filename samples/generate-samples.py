#!/usr/bin/env python3
"""Generates the two sample surveys as kvf-make JSON descriptions.

    python3 samples/generate-samples.py [OUTPUT_DIR]

Writes staff-survey-en.json and medarbetarenkat-sv.json (default: the folder
of this script). Deterministic: the same script always writes the same files.
The stored question, block and total indexes are computed from the generated
answers by the same rules the viewer uses: the mean of the counted answer
values (value -1 does not count), taken over answers, divided by the index
divisor.
"""

import json
import os
import random
import sys

# ---------------------------------------------------------------------------
# Texts

AGREEMENT = {
    "en": ["No answer", "Strongly disagree", "Disagree", "Neither agree nor disagree", "Agree", "Strongly agree"],
    "sv": ["Inget svar", "Stämmer inte alls", "Stämmer ganska dåligt", "Stämmer varken bra eller dåligt",
           "Stämmer ganska bra", "Stämmer helt"],
}
SATISFACTION = {
    "en": ["No answer", "Very dissatisfied", "Dissatisfied", "Neither satisfied nor dissatisfied", "Satisfied",
           "Very satisfied"],
    "sv": ["Inget svar", "Mycket missnöjd", "Missnöjd", "Varken nöjd eller missnöjd", "Nöjd", "Mycket nöjd"],
}
# Red to green, grey for no answer.
SCALE_COLOURS = ["#C8C8C8", "#D7191C", "#FDAE61", "#FFFFBF", "#A6D96A", "#1A9641"]
SCALE_LABELS = ["-", "1", "2", "3", "4", "5"]
DIMENSION_COLOURS = ["#8DD3C7", "#FFFFB3", "#BEBADA", "#FB8072", "#80B1D3", "#FDB462", "#B3DE69"]
NO_ANSWER_COLOUR = "#D9D9D9"

# (label en, label sv, name en, name sv, alternatives en, alternatives sv, weights)
DIMENSIONS = [
    ("D", "A", "Department", "Avdelning",
     ["Sales", "Production", "Finance", "Human resources", "IT", "Logistics"],
     ["Försäljning", "Produktion", "Ekonomi", "HR", "IT", "Logistik"],
     [14, 38, 9, 5, 10, 24]),
    ("A", "Å", "Age group", "Åldersgrupp",
     ["Under 30", "30-39", "40-49", "50-59", "60 or older"],
     ["Under 30 år", "30–39 år", "40–49 år", "50–59 år", "60 år eller äldre"],
     [15, 26, 27, 22, 10]),
    ("G", "K", "Gender", "Kön",
     ["Woman", "Man", "Other or prefer not to say"],
     ["Kvinna", "Man", "Annat eller vill inte svara"],
     [41, 55, 4]),
    ("Y", "T", "Years employed", "Anställningstid",
     ["Less than 2 years", "2-5 years", "6-10 years", "More than 10 years"],
     ["Mindre än 2 år", "2–5 år", "6–10 år", "Mer än 10 år"],
     [18, 30, 24, 28]),
]
FLEX = ("S", "O", "Site", "Arbetsställe",
        ["Head office", "Northern plant", "Southern plant"],
        ["Huvudkontoret", "Fabriken i norr", "Fabriken i söder"],
        [22, 45, 33])

QUESTION_TEXTS = {
    "Department": ("Which department do you work in?", "Vilken avdelning arbetar du på?"),
    "Age group": ("How old are you?", "Hur gammal är du?"),
    "Gender": ("What is your gender?", "Vilket är ditt kön?"),
    "Years employed": ("How long have you been employed by the company?", "Hur länge har du varit anställd i företaget?"),
    "Site": ("Where do you work?", "Var arbetar du?"),
}

# Blocks: (name en, name sv, label en, label sv, sub-blocks); each sub-block:
# (name en, name sv, label en, label sv, questions (text en, text sv, name en, name sv)).
BLOCKS = [
    ("Work content", "Arbetsinnehåll", "Work", "Arbete", [
        ("Workload", "Arbetsbelastning", "Load", "Belastning", [
            ("My workload is reasonable.", "Min arbetsbelastning är rimlig.", "Reasonable workload", "Rimlig arbetsbelastning"),
            ("I can usually finish my tasks within normal working hours.",
             "Jag hinner oftast göra klart mina uppgifter under ordinarie arbetstid.",
             "Finish tasks in time", "Hinner klart i tid"),
            ("I can take breaks when I need to.", "Jag kan ta pauser när jag behöver.", "Breaks", "Pauser"),
            ("The pace of work is sustainable over time.", "Arbetstakten är hållbar i längden.",
             "Sustainable pace", "Hållbar arbetstakt"),
        ]),
        ("Tasks", "Arbetsuppgifter", "Tasks", "Uppgifter", [
            ("My tasks are meaningful.", "Mina arbetsuppgifter känns meningsfulla.", "Meaningful tasks", "Meningsfulla uppgifter"),
            ("I know what is expected of me in my work.", "Jag vet vad som förväntas av mig i mitt arbete.",
             "Clear expectations", "Tydliga förväntningar"),
            ("I can use my skills in my work.", "Jag får använda min kompetens i arbetet.",
             "Use of skills", "Använder min kompetens"),
        ]),
    ]),
    ("Leadership", "Ledarskap", "Leadership", "Ledarskap", [
        ("Immediate manager", "Närmaste chef", "Manager", "Chef", [
            ("My manager gives me regular feedback.", "Min chef ger mig regelbunden återkoppling.", "Feedback", "Återkoppling"),
            ("My manager treats everyone fairly.", "Min chef behandlar alla rättvist.", "Fair treatment", "Rättvis behandling"),
            ("I can bring up problems with my manager.", "Jag kan ta upp problem med min chef.",
             "Can raise problems", "Kan ta upp problem"),
            ("My manager is available when I need support.", "Min chef finns tillgänglig när jag behöver stöd.",
             "Manager available", "Chefen tillgänglig"),
        ]),
        ("Senior management", "Företagsledning", "Management", "Ledning", [
            ("I have confidence in senior management.", "Jag har förtroende för företagsledningen.",
             "Confidence in management", "Förtroende för ledningen"),
            ("Senior management communicates the company's direction clearly.",
             "Företagsledningen förmedlar företagets inriktning tydligt.", "Clear direction", "Tydlig inriktning"),
            ("Decisions that affect me are explained to me.", "Beslut som påverkar mig förklaras för mig.",
             "Decisions explained", "Beslut förklaras"),
        ]),
    ]),
    ("Cooperation", "Samarbete", "Cooperation", "Samarbete", [
        ("My team", "Min arbetsgrupp", "Team", "Grupp", [
            ("We help each other in my team.", "Vi hjälper varandra i min arbetsgrupp.", "Help each other", "Hjälper varandra"),
            ("The atmosphere in my team is good.", "Stämningen i min arbetsgrupp är god.", "Good atmosphere", "God stämning"),
            ("Conflicts in my team are dealt with constructively.",
             "Konflikter i min arbetsgrupp hanteras på ett konstruktivt sätt.", "Conflicts handled", "Konflikter hanteras"),
            ("Information is shared openly in my team.", "Information delas öppet i min arbetsgrupp.",
             "Open information", "Öppen information"),
        ]),
        ("Across departments", "Mellan avdelningar", "Across", "Mellan", [
            ("Cooperation with other departments works well.", "Samarbetet med andra avdelningar fungerar bra.",
             "Cooperation between departments", "Samarbete mellan avdelningar"),
            ("I get the information I need from other departments in time.",
             "Jag får den information jag behöver från andra avdelningar i tid.",
             "Information in time", "Information i tid"),
            ("The departments pull in the same direction.", "Avdelningarna drar åt samma håll.",
             "Same direction", "Samma håll"),
        ]),
    ]),
    ("Development", "Utveckling", "Development", "Utveckling", [
        ("Skills", "Kompetens", "Skills", "Kompetens", [
            ("I have had the training I need for my job.", "Jag har fått den utbildning jag behöver för mitt arbete.",
             "Training", "Utbildning"),
            ("I learn new things in my work.", "Jag lär mig nya saker i mitt arbete.", "Learning", "Lärande"),
            ("My development is discussed in my annual review.", "Min utveckling diskuteras i mitt medarbetarsamtal.",
             "Development discussed", "Utveckling diskuteras"),
            ("I have time to keep my skills up to date.", "Jag har tid att hålla min kompetens aktuell.",
             "Time for skills", "Tid för kompetens"),
        ]),
        ("Career", "Karriär", "Career", "Karriär", [
            ("I can see opportunities to develop within the company.",
             "Jag ser möjligheter att utvecklas inom företaget.", "Opportunities", "Möjligheter"),
            ("Internal positions are filled in a fair way.", "Interna tjänster tillsätts på ett rättvist sätt.",
             "Fair recruitment", "Rättvis tillsättning"),
            ("Good performance is recognised.", "Goda prestationer uppmärksammas.", "Recognition", "Uppskattning"),
        ]),
    ]),
    ("Work environment", "Arbetsmiljö", "Environment", "Miljö", [
        ("Physical environment", "Fysisk arbetsmiljö", "Physical", "Fysisk", [
            ("My workplace is safe.", "Min arbetsplats är säker.", "Safe workplace", "Säker arbetsplats"),
            ("I have the tools and equipment I need.", "Jag har de verktyg och den utrustning jag behöver.",
             "Tools and equipment", "Verktyg och utrustning"),
            ("Noise, light and air at my workplace are acceptable.",
             "Buller, ljus och luft på min arbetsplats är acceptabla.", "Noise, light and air", "Buller, ljus och luft"),
            ("My workstation is ergonomically sound.", "Min arbetsplats är ergonomiskt bra utformad.",
             "Ergonomics", "Ergonomi"),
        ]),
        ("Health and well-being", "Hälsa och välbefinnande", "Health", "Hälsa", [
            ("I rarely feel stressed at work.", "Jag känner mig sällan stressad på jobbet.", "Little stress", "Lite stress"),
            ("I can combine work and private life well.", "Jag kan kombinera arbete och privatliv på ett bra sätt.",
             "Work-life balance", "Balans arbete–fritid"),
            ("Harassment is not tolerated at our workplace.",
             "Kränkande särbehandling accepteras inte på vår arbetsplats.", "No harassment", "Ingen kränkning"),
        ]),
    ]),
]
OVERALL = ("All things considered, how satisfied are you with your job?",
           "Hur nöjd är du med ditt arbete, allt sammantaget?", "Overall satisfaction", "Nöjdhet totalt")

RESPONDENT_COMMENTS = {
    "en": [
        "Thank you for asking. I hope something happens with the results this year.",
        "The new planning system has made the weeks much calmer.",
        "We are too few in our team since the spring. Everybody is tired.",
        "I like my colleagues and my job, but the salary has fallen behind.",
        "Please fix the ventilation in the packing hall.",
        "More training on the new machines would help us a lot.",
        "My manager is great, but we rarely hear anything from the management team.",
        "Too many meetings that could have been an e-mail.",
        "I appreciate being able to work from home two days a week.",
        "The canteen has improved a lot. Thank you!",
        "Information between the shifts gets lost far too often.",
        "I would like clearer goals for our department.",
        "It feels like nobody listens when we report problems with the equipment.",
        "Good year overall. Keep the Friday breakfasts!",
        "The survey has too many questions.",
        "Hard to combine the new schedule with picking up children from school.",
    ],
    "sv": [
        "Tack för att ni frågar. Jag hoppas att det händer något med resultaten i år.",
        "Det nya planeringssystemet har gjort veckorna mycket lugnare.",
        "Vi är för få i gruppen sedan i våras. Alla är trötta.",
        "Jag trivs med kollegorna och arbetet, men lönen har halkat efter.",
        "Snälla, åtgärda ventilationen i packhallen.",
        "Mer utbildning på de nya maskinerna skulle hjälpa oss mycket.",
        "Min chef är jättebra, men vi hör sällan något från ledningsgruppen.",
        "För många möten som kunde ha varit ett mejl.",
        "Jag uppskattar att kunna jobba hemifrån två dagar i veckan.",
        "Personalmatsalen har blivit mycket bättre. Tack!",
        "Information mellan skiften försvinner alldeles för ofta.",
        "Jag skulle vilja ha tydligare mål för vår avdelning.",
        "Det känns som att ingen lyssnar när vi rapporterar fel på utrustningen.",
        "Bra år på det hela taget. Behåll fredagsfrukostarna!",
        "Enkäten har för många frågor.",
        "Svårt att få ihop det nya schemat med hämtning på förskolan.",
    ],
}
ANSWER_COMMENTS = {
    "en": {
        "low": ["This has got worse since the reorganisation.", "We have raised this many times without result.",
                "Not in my department, unfortunately.", "Depends on the week, but mostly no.",
                "We are short of staff, so this is hard."],
        "high": ["This works really well for us.", "Much better than last year.", "My manager is very good at this.",
                 "No complaints here.", "Thanks to the new routines."],
    },
    "sv": {
        "low": ["Det här har blivit sämre sedan omorganisationen.", "Vi har tagit upp det många gånger utan resultat.",
                "Inte på min avdelning, tyvärr.", "Beror på veckan, men oftast inte.",
                "Vi har för lite personal, så det är svårt."],
        "high": ["Det här fungerar jättebra hos oss.", "Mycket bättre än förra året.",
                 "Min chef är väldigt bra på det här.", "Inga klagomål här.", "Tack vare de nya rutinerna."],
    },
}

SAMPLES = {
    "en": {
        "file": "staff-survey-en.json",
        "seed": 2024_03_01,
        "respondents": 340,
        "guid": "{6F1C2A9E-4B7D-4E21-9A3C-5D8E0F1B2C47}",
        "divisor": 10,
        "values": [-1, 0, 25, 50, 75, 100],
        "hideFirst": False,
        "info": {
            "projectNumber": "NC-2024-03",
            "projectName": "Staff survey 2024",
            "copyright": "© 2024 Norrvik Components Ltd",
            "documentComment": "Annual staff survey of all employees. Fieldwork 4-22 March 2024; response rate 81 %.",
            "fileVersion": [3, 1, 42],
            "created": "2024-03-25T14:05:00Z",
            "secondDate": "2024-03-25T14:05:00Z",
            "language": "English",
            "indexCaption": "Index",
            "indexLabels": ["Respondent index", "Question index", "Sub-block index", "Block index", "Total index"],
            "countTip": "Number of respondents in the current selection",
            "selectionTip": "The current selection",
            "allRespondentsCaption": "All respondents",
            "tooFewCaption": "Too few respondents to show the results",
        },
        "background": "Background",
        "backgroundLabel": "Background",
        "key": ("Key questions", "Key"),
        "questionLabel": "",
    },
    "sv": {
        "file": "medarbetarenkat-sv.json",
        "seed": 2024_03_02,
        "respondents": 372,
        "guid": "{A83D5B10-2C6E-47F9-B1D4-03E92C7A5F68}",
        "divisor": 100,
        "values": [-1, 100, 200, 300, 400, 500],
        "hideFirst": True,
        "info": {
            "projectNumber": "NK-2024-03",
            "projectName": "Medarbetarenkät 2024",
            "copyright": "© 2024 Norrvik Komponenter AB",
            "documentComment": "Årlig medarbetarenkät till alla anställda. Insamling 4–22 mars 2024; svarsfrekvens 83 %.",
            "fileVersion": [3, 1, 42],
            "created": "2024-03-26T08:30:00Z",
            "secondDate": "2024-03-26T08:30:00Z",
            "language": "Svenska",
            "indexCaption": "Index",
            "indexLabels": ["Respondentindex", "Frågeindex", "Delområdesindex", "Områdesindex", "Totalindex"],
            "countTip": "Antal svarande i aktuellt urval",
            "selectionTip": "Aktuellt urval",
            "allRespondentsCaption": "Samtliga svarande",
            "tooFewCaption": "För få svarande för att visa resultatet",
        },
        "background": "Bakgrund",
        "backgroundLabel": "Bakgrund",
        "key": ("Nyckelfrågor", "Nyckel"),
        "questionLabel": "",
    },
}

# ---------------------------------------------------------------------------
# Building one survey


def pick(rng, weights):
    total = sum(weights)
    x = rng.random() * total
    for k, w in enumerate(weights):
        x -= w
        if x < 0:
            return k
    return len(weights) - 1


def index(total, count, divisor):
    """The viewer's index: (sum / count) / divisor, or None (-1.0) when nothing counts."""
    return (total / count) / divisor if count > 0 else None


def build(lang):
    cfg = SAMPLES[lang]
    sv = lang == "sv"
    li = 1 if sv else 0  # position of the language in the text tuples
    rng = random.Random(cfg["seed"])
    hide_first = cfg["hideFirst"]
    no_answer = AGREEMENT[lang][0]

    questions = []
    blocks = []
    block_items = []

    # Blocks: background, the five areas, their ten sub-blocks, key questions.
    blocks.append({"sheetLabel": cfg["backgroundLabel"], "name": cfg["background"],
                   "membersByQuestionField": True, "blockLevel": -1})
    for area in BLOCKS:
        blocks.append({"sheetLabel": area[2 + li], "name": area[li], "membersByQuestionField": True,
                       "blockLevel": -1})
    sub_first = len(blocks)
    for area in BLOCKS:
        for sub in area[4]:
            blocks.append({"sheetLabel": sub[2 + li], "name": sub[li], "membersByQuestionField": True,
                           "blockLevel": 1})
    key_block = len(blocks)
    blocks.append({"sheetLabel": cfg["key"][1], "name": cfg["key"][0], "membersByQuestionField": False,
                   "blockLevel": -1})

    # Background questions. With HideFirstAlternative every question starts
    # with a hidden "no answer"; otherwise only years employed has one.
    def background(entry, dimension, flex):
        names = list(entry[5] if sv else entry[4])
        weights = list(entry[6])
        has_no_answer = hide_first or entry[2] == "Years employed"
        if has_no_answer:
            names.insert(0, no_answer)
            weights.insert(0, 2)
        alternatives = []
        for k, name in enumerate(names):
            blank = has_no_answer and k == 0
            alternatives.append({
                "sheetLabel": "-" if blank else str(k if has_no_answer else k + 1),
                "name": name,
                "backColor": NO_ANSWER_COLOUR if blank else DIMENSION_COLOURS[(k - has_no_answer) % len(DIMENSION_COLOURS)],
                "value": -1,
                "complementProtected": dimension,
                "protected": dimension,
            })
        question = {
            "sheetLabel": entry[li], "name": entry[2 + li], "text": QUESTION_TEXTS[entry[2]][li],
            "isDimension": dimension, "isOverviewQuestion": True, "isFlexTotal": flex,
            "backColor": "#E7E6E6", "primaryBlock": 0, "graphFlags": 3,
            "alternatives": alternatives,
        }
        return question, weights

    weights = []
    for entry in DIMENSIONS:
        q, w = background(entry, True, False)
        questions.append(q)
        weights.append(w)
    q, w = background(FLEX, False, True)
    questions.append(q)
    weights.append(w)
    background_count = len(questions)

    def rating(text, name, label, names, primary, secondary):
        return {
            "sheetLabel": label, "name": name, "text": text,
            "isOverviewQuestion": True, "inTotalIndex": True,
            "backColor": "#DDEBF7", "primaryBlock": primary, "secondaryBlock": secondary,
            "graphFlags": 0x107, "rankingWeight": 1,
            "alternatives": [{"sheetLabel": SCALE_LABELS[k], "name": names[k], "backColor": SCALE_COLOURS[k],
                              "value": cfg["values"][k]} for k in range(6)],
        }

    area_of = {}
    number = 0
    sub = sub_first
    for a, area in enumerate(BLOCKS):
        for section in area[4]:
            for item in section[4]:
                number += 1
                area_of[len(questions)] = a
                questions.append(rating(item[li], item[2 + li], "%s%d" % (cfg["questionLabel"], number),
                                        AGREEMENT[lang], 1 + a, sub))
            sub += 1
    number += 1
    overall = len(questions)
    questions.append(rating(OVERALL[li], OVERALL[2 + li], "%s%d" % (cfg["questionLabel"], number),
                            SATISFACTION[lang], -1, -1))
    questions[overall]["backColor"] = "#FCE4D6"
    for q in (background_count + 0, background_count + 7, background_count + 14, background_count + 25, overall):
        block_items.append([key_block, q])

    # Respondents: background answers, then rating answers leaning on a
    # personal mood, on the area and on the department.
    count = cfg["respondents"]
    answers = [[0] * count for _ in questions]
    dept_effect = [[rng.gauss(0, 0.35) for _ in BLOCKS] for _ in range(8)]
    question_bias = [rng.gauss(0, 0.45) for _ in questions]
    for r in range(count):
        for b in range(background_count):
            answers[b][r] = pick(rng, weights[b])
        dept = answers[0][r] - (1 if hide_first else 0)
        mood = rng.gauss(0, 0.6)
        for q in range(background_count, len(questions)):
            if rng.random() < 0.03:
                continue  # no answer
            area = area_of.get(q)
            effect = dept_effect[max(dept, 0)][area] if area is not None else 0.0
            x = 3.55 + question_bias[q] + mood + effect + rng.gauss(0, 0.8)
            answers[q][r] = min(5, max(1, int(round(x))))

    # Stored indexes.
    divisor = cfg["divisor"]

    def sums(qs):
        total = count_ = 0
        for q in qs:
            first = questions[q]["alternatives"]
            for a in answers[q]:
                v = first[a]["value"]
                if v != -1:
                    total += v
                    count_ += 1
        return total, count_

    overview = [q for q, question in enumerate(questions) if question.get("isOverviewQuestion")]
    for q in overview:
        questions[q]["storedIndex"] = index(*sums([q]), divisor)
    for b, block in enumerate(blocks):
        if block["membersByQuestionField"]:
            members = [q for q in overview if questions[q].get("primaryBlock", -1) == b]
            if not members:
                members = [q for q in overview if questions[q].get("secondaryBlock", -1) == b]
        else:
            members = [q for blk, q in block_items if blk == b]
        block["storedIndex"] = index(*sums(members), divisor) if members else None
        block["graphFlags"] = 0x103 if block["storedIndex"] is not None else 3
    total_questions = [q for q in overview if questions[q].get("inTotalIndex")]
    total_index = index(*sums(total_questions), divisor)
    for q in questions:
        if q["storedIndex"] is None:
            q["graphFlags"] = 3

    # Comments.
    comments = [None] * count
    for r in range(count):
        if rng.random() < 0.2:
            comments[r] = rng.choice(RESPONDENT_COMMENTS[lang])
    answer_comments = []
    for q in range(background_count, len(questions)):
        for r in range(count):
            a = answers[q][r]
            if a != 0 and rng.random() < 0.012:
                mood = "low" if a <= 2 else "high" if a >= 4 else rng.choice(["low", "high"])
                answer_comments.append({"question": q, "respondent": r,
                                        "text": rng.choice(ANSWER_COMMENTS[lang][mood])})

    info = {"guid": cfg["guid"]}
    info.update(cfg["info"])
    info.update({
        "allowCopy": True, "allowPrint": True, "allowSave": True, "allowCopyData": True,
        "indexDivisor": divisor,
        "minimumSelection": 5, "minimumComplementSelection": 5, "minimumGraphSelection": 5,
        "hasRespondentComments": True, "hideFirstAlternative": hide_first,
        "sheetColor0": "#F2F2F2", "sheetColor1": "#404040",
        "levelColors": ["#DCE6F1", "#B8CCE4", "#EBF1DE", "#D7E4BC"],
        "rowOrder": -1, "rowOrderThreshold": -1,
        "totalIndex": total_index,
        "featureFlags": 0x100,
    })
    return {
        "formatRevision": 9,
        "compatibleRevision": 9,
        "compress": True,
        "info": info,
        "questions": questions,
        "answers": answers,
        "respondentComments": comments,
        "answerComments": answer_comments,
        "blocks": blocks,
        "blockItems": block_items,
    }


def write(path, document):
    # One answer row per line keeps the files readable and diffable.
    answers = document.pop("answers")
    text = json.dumps(document, ensure_ascii=False, indent=1)
    rows = ",\n  ".join(json.dumps(row, separators=(",", ":")) for row in answers)
    text = text[:-2] + ',\n "answers": [\n  ' + rows + "\n ]\n}\n"
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for lang in ("en", "sv"):
        document = build(lang)
        json.loads(json.dumps(document))  # fails early on anything JSON cannot hold
        write(os.path.join(out, SAMPLES[lang]["file"]), document)


if __name__ == "__main__":
    main()
