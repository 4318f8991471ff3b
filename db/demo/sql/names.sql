-- Small name tables from which the seed script composes its rows. They are temporary: the
-- finished schema file keeps only what an operating centre's database holds.
-- SEQ holds the row numbers 1..N (N rows per main list, from DEMO_SCALE, which the builder
-- creates first); R1..R3 are fixed pseudo-random numbers per row, so that the data looks mixed
-- but comes out the same on every build.

CREATE TEMP TABLE SEQ (I INTEGER PRIMARY KEY, R1 INTEGER NOT NULL, R2 INTEGER NOT NULL,
                       R3 INTEGER NOT NULL);
INSERT INTO temp.SEQ (I, R1, R2, R3)
WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 FROM N WHERE I < (SELECT N FROM DEMO_SCALE))
SELECT I, (I * 2654435761) % 1000003, (I * 40503 + 12345) % 999983, (I * 69069 + 1) % 1000033
FROM   N;

-- Male surnames; the female form adds "а" (all end in -ов, -ев or -ин).
CREATE TEMP TABLE SEED_SURNAME (I INTEGER PRIMARY KEY, NAME TEXT NOT NULL);
INSERT INTO temp.SEED_SURNAME (NAME) VALUES
  ('Иванов'), ('Смирнов'), ('Кузнецов'), ('Попов'), ('Васильев'), ('Петров'), ('Соколов'),
  ('Михайлов'), ('Новиков'), ('Фёдоров'), ('Морозов'), ('Волков'), ('Алексеев'), ('Лебедев'),
  ('Семёнов'), ('Егоров'), ('Павлов'), ('Козлов'), ('Степанов'), ('Николаев'), ('Орлов'),
  ('Андреев'), ('Макаров'), ('Никитин'), ('Захаров'), ('Зайцев'), ('Соловьёв'), ('Борисов'),
  ('Яковлев'), ('Григорьев'), ('Романов'), ('Воробьёв'), ('Сергеев'), ('Кузьмин'), ('Фролов'),
  ('Александров'), ('Дмитриев'), ('Королёв'), ('Гусев'), ('Киселёв'), ('Ильин'), ('Максимов'),
  ('Поляков'), ('Сорокин'), ('Виноградов'), ('Ковалёв'), ('Белов'), ('Медведев'), ('Антонов'),
  ('Тарасов'), ('Жуков'), ('Баранов'), ('Филиппов'), ('Комаров'), ('Давыдов'), ('Беляев'),
  ('Герасимов'), ('Богданов'), ('Осипов'), ('Сидоров');

-- Male first names with the patronymics formed from them.
CREATE TEMP TABLE SEED_MALE_NAME (I INTEGER PRIMARY KEY, NAME TEXT NOT NULL,
                                  PATR_M TEXT NOT NULL, PATR_F TEXT NOT NULL);
INSERT INTO temp.SEED_MALE_NAME (NAME, PATR_M, PATR_F) VALUES
  ('Александр', 'Александрович', 'Александровна'), ('Сергей', 'Сергеевич', 'Сергеевна'),
  ('Дмитрий', 'Дмитриевич', 'Дмитриевна'), ('Андрей', 'Андреевич', 'Андреевна'),
  ('Алексей', 'Алексеевич', 'Алексеевна'), ('Максим', 'Максимович', 'Максимовна'),
  ('Евгений', 'Евгеньевич', 'Евгеньевна'), ('Иван', 'Иванович', 'Ивановна'),
  ('Михаил', 'Михайлович', 'Михайловна'), ('Николай', 'Николаевич', 'Николаевна'),
  ('Владимир', 'Владимирович', 'Владимировна'), ('Павел', 'Павлович', 'Павловна'),
  ('Олег', 'Олегович', 'Олеговна'), ('Виктор', 'Викторович', 'Викторовна'),
  ('Юрий', 'Юрьевич', 'Юрьевна'), ('Игорь', 'Игоревич', 'Игоревна'),
  ('Пётр', 'Петрович', 'Петровна'), ('Роман', 'Романович', 'Романовна'),
  ('Василий', 'Васильевич', 'Васильевна'), ('Антон', 'Антонович', 'Антоновна'),
  ('Григорий', 'Григорьевич', 'Григорьевна'), ('Константин', 'Константинович', 'Константиновна'),
  ('Анатолий', 'Анатольевич', 'Анатольевна'), ('Борис', 'Борисович', 'Борисовна');

CREATE TEMP TABLE SEED_FEMALE_NAME (I INTEGER PRIMARY KEY, NAME TEXT NOT NULL);
INSERT INTO temp.SEED_FEMALE_NAME (NAME) VALUES
  ('Елена'), ('Ольга'), ('Наталья'), ('Татьяна'), ('Ирина'), ('Светлана'), ('Анна'),
  ('Мария'), ('Екатерина'), ('Юлия'), ('Марина'), ('Галина'), ('Людмила'), ('Надежда'),
  ('Валентина'), ('Любовь'), ('Анастасия'), ('Дарья'), ('Ксения'), ('Вера');

-- Cities with their vehicle registration region and postcode prefix.
CREATE TEMP TABLE SEED_CITY (I INTEGER PRIMARY KEY, NAME TEXT NOT NULL, REGION TEXT NOT NULL,
                             ZIP TEXT NOT NULL);
INSERT INTO temp.SEED_CITY (NAME, REGION, ZIP) VALUES
  ('Москва', '77', '101'), ('Санкт-Петербург', '78', '190'), ('Казань', '16', '420'),
  ('Нижний Новгород', '52', '603'), ('Самара', '63', '443'), ('Екатеринбург', '66', '620'),
  ('Новосибирск', '54', '630'), ('Ростов-на-Дону', '61', '344'), ('Краснодар', '23', '350'),
  ('Воронеж', '36', '394'), ('Пермь', '59', '614'), ('Уфа', '02', '450'),
  ('Ярославль', '76', '150'), ('Тверь', '69', '170'), ('Тула', '71', '300'),
  ('Рязань', '62', '390'), ('Саратов', '64', '410'), ('Волгоград', '34', '400');

CREATE TEMP TABLE SEED_STREET (I INTEGER PRIMARY KEY, NAME TEXT NOT NULL);
INSERT INTO temp.SEED_STREET (NAME) VALUES
  ('ул. Ленина'), ('ул. Гагарина'), ('ул. Мира'), ('ул. Советская'), ('ул. Садовая'),
  ('пр-т Победы'), ('ул. Молодёжная'), ('ул. Лесная'), ('ул. Школьная'), ('ул. Набережная'),
  ('ул. Заводская'), ('ул. Пушкина'), ('ул. Кирова'), ('ул. Чехова'), ('Октябрьский пр-т'),
  ('ул. Промышленная'), ('Московское ш.'), ('ул. Строителей'), ('ул. Энергетиков'),
  ('ул. Транспортная');

-- Firm names are "<form> "<word>-<suffix>""; the three counts (4, 29, 11) have no common
-- divisor, so picking each part by the row number modulo its count gives 1276 different names in
-- a row, neighbours differing in every part.
CREATE TEMP TABLE SEED_FIRM_FORM (I INTEGER PRIMARY KEY, SHORT TEXT NOT NULL, FULL TEXT NOT NULL);
INSERT INTO temp.SEED_FIRM_FORM (SHORT, FULL) VALUES
  ('ООО', 'Общество с ограниченной ответственностью'),
  ('АО', 'Акционерное общество'),
  ('ПАО', 'Публичное акционерное общество'),
  ('ЗАО', 'Закрытое акционерное общество');

CREATE TEMP TABLE SEED_FIRM_WORD (I INTEGER PRIMARY KEY, WORD TEXT NOT NULL);
INSERT INTO temp.SEED_FIRM_WORD (WORD) VALUES
  ('Волга'), ('Север'), ('Урал'), ('Сибирь'), ('Кама'), ('Дон'), ('Ока'), ('Нева'),
  ('Байкал'), ('Алтай'), ('Вектор'), ('Альянс'), ('Магистраль'), ('Меридиан'), ('Горизонт'),
  ('Регион'), ('Звезда'), ('Пульс'), ('Прогресс'), ('Восток'), ('Партнёр'), ('Импульс'),
  ('Стандарт'), ('Гарант'), ('Олимп'), ('Престиж'), ('Феникс'), ('Атлант'), ('Сфера');

CREATE TEMP TABLE SEED_FIRM_SUFFIX (I INTEGER PRIMARY KEY, WORD TEXT NOT NULL);
INSERT INTO temp.SEED_FIRM_SUFFIX (WORD) VALUES
  ('Транс'), ('Ойл'), ('Логистик'), ('Сервис'), ('Авто'), ('Строй'), ('Агро'), ('Трейд'),
  ('Нефть'), ('Групп'), ('Экспресс');

CREATE TEMP TABLE SEED_VEHICLE (I INTEGER PRIMARY KEY, NAME TEXT NOT NULL, TANK REAL NOT NULL);
INSERT INTO temp.SEED_VEHICLE (NAME, TANK) VALUES
  ('КамАЗ-65115', 350), ('КамАЗ-5490', 600), ('ГАЗель NEXT', 64), ('ГАЗ-3309', 105),
  ('МАЗ-5440', 500), ('Volvo FH', 480), ('Scania R450', 400), ('Mercedes-Benz Actros', 390),
  ('MAN TGX', 580), ('Ford Transit', 80), ('Лада Ларгус', 50), ('УАЗ Патриот', 72),
  ('Hyundai HD78', 100), ('ПАЗ-3205', 105), ('Renault Logan', 50), ('Škoda Octavia', 50);

-- Letters allowed on Russian number plates.
CREATE TEMP TABLE SEED_PLATE_LETTER (I INTEGER PRIMARY KEY, L TEXT NOT NULL);
INSERT INTO temp.SEED_PLATE_LETTER (L) VALUES
  ('А'), ('В'), ('Е'), ('К'), ('М'), ('Н'), ('О'), ('Р'), ('С'), ('Т'), ('У'), ('Х');

CREATE TEMP TABLE SEED_POS_BRAND (I INTEGER PRIMARY KEY, NAME TEXT NOT NULL);
INSERT INTO temp.SEED_POS_BRAND (NAME) VALUES
  ('«Нефтика»'), ('«Топливная линия»'), ('«Трасса»'), ('«Магистраль-Ойл»'), ('«Привал»'),
  ('«Северная»'), ('«Заправочная №1»'), ('«Автодор»');

CREATE TEMP TABLE SEED_TERMINAL_MODEL (I INTEGER PRIMARY KEY, NAME TEXT NOT NULL);
INSERT INTO temp.SEED_TERMINAL_MODEL (NAME) VALUES
  ('Ingenico iCT220'), ('Verifone VX520'), ('PAX S300'), ('Топаз-110'), ('Ingenico IPP320');

CREATE TEMP TABLE SEED_SERVICE_DAYS (I INTEGER PRIMARY KEY, DAYS TEXT NOT NULL,
                                     TIME_INTERVAL TEXT NOT NULL);
INSERT INTO temp.SEED_SERVICE_DAYS (DAYS, TIME_INTERVAL) VALUES
  ('Ежедневно', '00:00 - 23:59'), ('Пн, Вт, Ср, Чт, Пт', '08:00 - 20:00'),
  ('Пн, Ср, Пт', '07:00 - 19:00'), ('Сб, Вс', '09:00 - 18:00'),
  ('Пн, Вт, Ср, Чт, Пт, Сб', '06:00 - 22:00');

CREATE TEMP TABLE SEED_CARD_TYPE (I INTEGER PRIMARY KEY, NAME TEXT NOT NULL);
INSERT INTO temp.SEED_CARD_TYPE (NAME) VALUES
  ('Лимитная'), ('Дебетовая'), ('Кредитная'), ('Бонусная');

-- Counts of the name tables.
CREATE TEMP TABLE SEED_COUNT AS
SELECT (SELECT COUNT(*) FROM temp.SEED_SURNAME)        AS SURNAMES,
       (SELECT COUNT(*) FROM temp.SEED_MALE_NAME)      AS MALE_NAMES,
       (SELECT COUNT(*) FROM temp.SEED_FEMALE_NAME)    AS FEMALE_NAMES,
       (SELECT COUNT(*) FROM temp.SEED_CITY)           AS CITIES,
       (SELECT COUNT(*) FROM temp.SEED_STREET)         AS STREETS,
       (SELECT COUNT(*) FROM temp.SEED_FIRM_FORM)      AS FIRM_FORMS,
       (SELECT COUNT(*) FROM temp.SEED_FIRM_WORD)      AS FIRM_WORDS,
       (SELECT COUNT(*) FROM temp.SEED_FIRM_SUFFIX)    AS FIRM_SUFFIXES,
       (SELECT COUNT(*) FROM temp.SEED_VEHICLE)        AS VEHICLES,
       (SELECT COUNT(*) FROM temp.SEED_PLATE_LETTER)   AS PLATE_LETTERS,
       (SELECT COUNT(*) FROM temp.SEED_POS_BRAND)      AS POS_BRANDS,
       (SELECT COUNT(*) FROM temp.SEED_TERMINAL_MODEL) AS TERMINAL_MODELS,
       (SELECT COUNT(*) FROM temp.SEED_SERVICE_DAYS)   AS SERVICE_DAYS,
       (SELECT COUNT(*) FROM temp.SEED_CARD_TYPE)      AS CARD_TYPES;

-- Composed names and addresses, one per row number, for the seed script to pick by number.

-- Persons' full and short names: surname, first name and patronymic, the gender alternating by
-- row.
CREATE TEMP TABLE SEED_PERSON (I INTEGER PRIMARY KEY, FIO TEXT NOT NULL, SHORT_FIO TEXT NOT NULL);
INSERT INTO temp.SEED_PERSON (I, FIO, SHORT_FIO)
SELECT s.I,
       CASE WHEN s.I % 2 = 1
            THEN sn.NAME || ' ' || mn.NAME || ' ' || pn.PATR_M
            ELSE sn.NAME || 'а ' || fn.NAME || ' ' || pn.PATR_F END AS FIO,
       CASE WHEN s.I % 2 = 1
            THEN sn.NAME || ' ' || substr(mn.NAME, 1, 1) || '.' || substr(pn.NAME, 1, 1) || '.'
            ELSE sn.NAME || 'а ' || substr(fn.NAME, 1, 1) || '.' || substr(pn.NAME, 1, 1) || '.'
       END AS SHORT_FIO
FROM   temp.SEQ s, temp.SEED_COUNT k
JOIN   temp.SEED_SURNAME sn     ON sn.I = 1 + s.R1 % k.SURNAMES
JOIN   temp.SEED_MALE_NAME mn   ON mn.I = 1 + s.R2 % k.MALE_NAMES
JOIN   temp.SEED_FEMALE_NAME fn ON fn.I = 1 + s.R2 % k.FEMALE_NAMES
JOIN   temp.SEED_MALE_NAME pn   ON pn.I = 1 + s.R3 % k.MALE_NAMES;

CREATE TEMP TABLE SEED_ADDRESS (I INTEGER PRIMARY KEY, CITY TEXT NOT NULL, REGION TEXT NOT NULL,
                                STREET_ADDRESS TEXT NOT NULL);
INSERT INTO temp.SEED_ADDRESS (I, CITY, REGION, STREET_ADDRESS)
SELECT s.I, c.NAME AS CITY, c.REGION,
       c.ZIP || printf('%03d', s.R3 % 1000) || ', г. ' || c.NAME || ', ' || st.NAME || ', д. '
         || (1 + s.R2 % 120) AS STREET_ADDRESS
FROM   temp.SEQ s, temp.SEED_COUNT k
JOIN   temp.SEED_CITY c    ON c.I = 1 + s.R1 % k.CITIES
JOIN   temp.SEED_STREET st ON st.I = 1 + s.R3 % k.STREETS;

-- Firm names: the first FIRM_FORMS * FIRM_WORDS * FIRM_SUFFIXES rows are all different (see the
-- name tables); later rounds carry their round number.
CREATE TEMP TABLE SEED_FIRM_NAME (I INTEGER PRIMARY KEY, SHORT_NAME TEXT NOT NULL,
                                  FULL_NAME TEXT NOT NULL);
INSERT INTO temp.SEED_FIRM_NAME (I, SHORT_NAME, FULL_NAME)
SELECT s.I,
       ff.SHORT || ' "' || fw.WORD || '-' || fs.WORD || '"'
         || CASE WHEN s.I > k.FIRM_FORMS * k.FIRM_WORDS * k.FIRM_SUFFIXES
                 THEN ' ' || (1 + (s.I - 1) / (k.FIRM_FORMS * k.FIRM_WORDS * k.FIRM_SUFFIXES))
                 ELSE '' END AS SHORT_NAME,
       ff.FULL || ' "' || fw.WORD || '-' || fs.WORD || '"' AS FULL_NAME
FROM   temp.SEQ s, temp.SEED_COUNT k
JOIN   temp.SEED_FIRM_FORM ff   ON ff.I = 1 + (s.I - 1) % k.FIRM_FORMS
JOIN   temp.SEED_FIRM_WORD fw   ON fw.I = 1 + (s.I - 1) % k.FIRM_WORDS
JOIN   temp.SEED_FIRM_SUFFIX fs ON fs.I = 1 + (s.I - 1) % k.FIRM_SUFFIXES;
