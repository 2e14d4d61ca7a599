#!/usr/bin/env python3
"""Writes address-book.vcf: 300 contacts in the shapes that common exporters give them
(a desktop address book with grouped labels, a web mail export, a phone's vCard 2.1 with
quoted-printable, an older suite's Windows-1252 2.1 with unindented photos, and vCard 4.0),
folded lines, several phone types, photos. Run it again only to change the test data."""
import base64, random, quopri

R = random.Random(16)
GIVEN = ["José", "Zoë", "François", "Łukasz", "Søren", "Jürgen", "Björn", "Anna", "Ольга", "Дмитрий",
         "Ελένη", "Νίκος", "İlkay", "Thomas", "Agnieszka", "Ðorđe"]
FAMILY = ["Müller", "García", "Nowak", "Dvořák", "Åberg", "Çelik", "O'Brien", "Иванова", "Παπαδόπουλος",
          "Schäfer", "Lefèvre", "Szabó"]
LATIN1_GIVEN = ["Jürgen", "Renée", "Björn", "Søren", "Inês", "Chloé"]
LATIN1_FAMILY = ["Müller", "Schäfer", "Ibáñez", "Lefèvre", "Åberg"]
CITIES = ["München", "São Paulo", "Kraków", "Zürich", "Москва", "Αθήνα", "Rome"]
PHOTO = base64.b64encode(bytes(R.randrange(256) for _ in range(400))).decode()


def fold(line, width=75):
    data = line.encode()
    out, start, room = [], 0, width
    while len(data) - start > room:
        cut = start + room
        while cut > start + 1 and (data[cut] & 0xC0) == 0x80:
            cut -= 1
        out.append(data[start:cut])
        start, room = cut, width - 1
    out.append(data[start:])
    return b"\r\n ".join(out) + b"\r\n"


def esc(text):
    return text.replace("\\", "\\\\").replace("\n", "\\n").replace(",", "\\,").replace(";", "\\;")


def qp(text, charset="utf-8"):
    raw = quopri.encodestring(text.encode(charset), quotetabs=True).decode().replace("=\n", "")
    encoded = "".join("=%02X" % b if b >= 0x80 else chr(b) for b in quopri.decodestring(raw))
    return encoded


def qp_fold(head, value, width=76):
    # vCard 2.1 phones break long quoted-printable values with a soft "=" line end.
    line = head + ":" + value
    parts = []
    while len(line) > width:
        cut = width - 1
        while line[cut - 1] == "=" or line[cut - 2] == "=":
            cut -= 1
        parts.append(line[:cut] + "=")
        line = line[cut:]
    parts.append(line)
    return ("\r\n".join(parts) + "\r\n").encode()


def phone():
    return "+%d %d %03d %04d" % (R.choice([39, 7, 30, 49]), R.randrange(10, 99), R.randrange(1000), R.randrange(10000))


def person():
    return R.choice(GIVEN), R.choice(FAMILY)


def apple(i):
    given, family = person()
    lines = [b"BEGIN:VCARD\r\n", b"VERSION:3.0\r\n", b"PRODID:-//Apple Inc.//macOS 13.4//EN\r\n"]
    lines.append(fold("N:%s;%s;;;" % (esc(family), esc(given))))
    lines.append(fold("FN:%s %s" % (given, family)))
    lines.append(fold("ORG:Example Trading %d;" % i))
    lines.append(fold("item1.TEL;type=pref:%s" % phone()))
    lines.append(b"item1.X-ABLabel:_$!<Mobile>!$_\r\n")
    lines.append(fold("TEL;type=HOME;type=VOICE:%s" % phone()))
    lines.append(fold("item2.EMAIL;type=INTERNET;type=pref:contact%d@example.org" % i))
    lines.append(b"item2.X-ABLabel:_$!<Home>!$_\r\n")
    lines.append(fold("item3.ADR;type=HOME;type=pref:;;Street %d\\nBuilding B;%s;;%05d;Country" % (i, R.choice(CITIES), i)))
    lines.append(b"item3.X-ABADR:de\r\n")
    lines.append(fold("NOTE:First line of a note that is long enough to be folded by the exporter\\nsecond line"))
    lines.append(b"BDAY;value=date:1980-05-17\r\n")
    lines.append(fold("PHOTO;ENCODING=b;TYPE=JPEG:" + PHOTO))
    lines.append(b"X-SOCIALPROFILE;type=twitter:https://twitter.com/someone\r\n")
    lines.append(b"END:VCARD\r\n")
    return b"".join(lines)


def google(i):
    given, family = person()
    out = [b"BEGIN:VCARD\r\nVERSION:3.0\r\n"]
    out.append(fold("FN:%s %s" % (given, family)))
    out.append(fold("N:%s;%s;;;" % (esc(family), esc(given))))
    out.append(fold("EMAIL;TYPE=INTERNET;TYPE=HOME:%s.%d@mail.example.com" % ("user", i)))
    out.append(fold("TEL;TYPE=CELL:%s" % phone()))
    out.append(fold("TEL;TYPE=WORK:%s" % phone()))
    out.append(fold("ADR;TYPE=WORK:;;Via Roma %d;%s;;%05d;Italia" % (i, R.choice(CITIES), i)))
    out.append(fold("TITLE:Engineer\\, senior"))
    out.append(fold("URL:https://example.com/people/%d" % i))
    out.append(fold("PHOTO:https://lh3.example.com/photo/%d.jpg" % i))
    out.append(b"CATEGORIES:myContacts\r\nEND:VCARD\r\n")
    return b"".join(out)


def android(i):
    given, family = person()
    out = [b"BEGIN:VCARD\r\nVERSION:2.1\r\n"]
    out.append(qp_fold("N;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE", qp(family) + ";" + qp(given) + ";;;"))
    out.append(qp_fold("FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE", qp("%s %s" % (given, family))))
    out.append(("TEL;CELL:%s\r\nTEL;HOME:%s\r\nTEL;WORK;PREF:%s\r\n" % (phone(), phone(), phone())).encode())
    out.append(("EMAIL;HOME:phone%d@example.net\r\n" % i).encode())
    out.append(qp_fold("NOTE;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE",
                       qp("Звонить после обеда, контакт номер %d с длинной заметкой" % i)))
    body = PHOTO
    out.append(b"PHOTO;ENCODING=BASE64;JPEG:" + body[:70].encode() + b"\r\n")
    for k in range(70, len(body), 72):
        out.append(b" " + body[k:k + 72].encode() + b"\r\n")
    out.append(b"\r\nEND:VCARD\r\n")
    return b"".join(out)


def suite21(i):
    given, family = R.choice(LATIN1_GIVEN), R.choice(LATIN1_FAMILY)
    out = [b"BEGIN:VCARD\r\nVERSION:2.1\r\n"]
    out.append(("N;LANGUAGE=de;CHARSET=Windows-1252:%s;%s\r\n" % (family, given)).encode("cp1252"))
    out.append(("FN;CHARSET=Windows-1252:%s %s\r\n" % (given, family)).encode("cp1252"))
    out.append(b"ORG:Beispiel GmbH\r\n")
    out.append(("TEL;WORK;VOICE:%s\r\nTEL;CELL;VOICE:%s\r\nTEL;WORK;FAX:%s\r\n" % (phone(), phone(), phone())).encode())
    out.append(("ADR;WORK;ENCODING=QUOTED-PRINTABLE;CHARSET=Windows-1252:;;%s;%s;;%05d;Deutschland\r\n" %
                (qp("Hauptstraße %d" % i, "cp1252"), qp("München", "cp1252"), i)).encode())
    out.append(("EMAIL;PREF;INTERNET:office%d@example.de\r\n" % i).encode())
    out.append(b"PHOTO;TYPE=JPEG;ENCODING=BASE64:\r\n")
    for k in range(0, len(PHOTO), 76):
        out.append(PHOTO[k:k + 76].encode() + b"\r\n")
    out.append(b"\r\nREV:20230101T120000Z\r\nEND:VCARD\r\n")
    return b"".join(out)


def v4(i):
    given, family = person()
    out = [b"BEGIN:VCARD\r\nVERSION:4.0\r\n"]
    out.append(fold("FN:%s %s" % (given, family)))
    out.append(fold("N:%s;%s;;;" % (esc(family), esc(given))))
    out.append(fold('TEL;TYPE="cell,voice";PREF=1;VALUE=uri:tel:%s' % phone().replace(" ", "-")))
    out.append(fold("TEL;TYPE=home;VALUE=uri:tel:%s" % phone().replace(" ", "-")))
    out.append(fold("EMAIL;TYPE=work:v4.%d@example.gr" % i))
    out.append(fold('ADR;TYPE=home;LABEL="Street %d\\n%s":;;Street %d;%s;;;Greece' % (i, "Αθήνα", i, "Αθήνα")))
    out.append(fold("NOTE:Has two children\\, both grown"))
    out.append(b"BDAY:19800517\r\nKIND:individual\r\n")
    out.append(fold("UID:urn:uuid:00000000-0000-4000-8000-%012d" % i))
    out.append(fold("PHOTO:data:image/jpeg;base64," + PHOTO))
    out.append(b"END:VCARD\r\n")
    return b"".join(out)


SHAPES = [apple, google, android, suite21, v4]
with open("address-book.vcf", "wb") as f:
    for i in range(300):
        f.write(SHAPES[i % len(SHAPES)](i))
