-- Seed data of the demo operating centre. Reference lists are written out; the main lists
-- (clients, cards, points of service, terminals, shifts, RFID tags, employees, acts) have N rows
-- each, composed from the name tables, so one script serves every scale. The distributions are
-- chosen so that every value the programs filter on occurs at every scale the builder accepts.

CREATE TEMP TABLE SEED_SIZE AS
SELECT N,
       N - N * 2 / 5              AS FIRMS,
       N * 2 / 5                  AS PERSONS,
       MAX(10, N / 10)            AS OPERATORS,
       N / 2                      AS EMPLOYEE_CARDS,
       MAX(1, N / 4)              AS SHIFT_TERMINALS,
       (N + 2) / 3                AS ACTS_PER_YEAR
FROM   DEMO_SCALE;

-- Firms, emitents, filials ---------------------------------------------------------------------

INSERT INTO FIRM (ID, NAME, SHORT_NAME, INN, KPP, OKPO, ADRESS, DOGOVOR, E_MAIL, NAME_FOR_REPORT) VALUES
  (1, 'Общество с ограниченной ответственностью "Север-Ойл Процессинг"', 'ООО "Север-Ойл Процессинг"', '7701234501', '770101001', '45120001', '101000, г. Москва, ул. Мясницкая, д. 24, стр. 1', '№ 1/2010-ЭМ', 'office@sever-oil.ru', 'ООО "Север-Ойл Процессинг"'),
  (2, 'Акционерное общество "Волга-Карт"', 'АО "Волга-Карт"', '5260123402', '526001001', '45120002', '603000, г. Нижний Новгород, ул. Большая Покровская, д. 5', '№ 2/2011-ЭМ', 'info@volga-card.ru', 'АО "Волга-Карт"'),
  (3, 'Общество с ограниченной ответственностью "Уральский процессинговый центр"', 'ООО "УПЦ"', '6670123403', '667001001', '45120003', '620014, г. Екатеринбург, ул. Малышева, д. 36', '№ 3/2012-ЭМ', 'upc@upc-ural.ru', 'ООО "УПЦ"'),
  (4, 'Публичное акционерное общество "Нефтика"', 'ПАО "Нефтика"', '1655123404', '165501001', '45120004', '420111, г. Казань, ул. Баумана, д. 11', '№ 4/2012-ЭМ', 'office@neftika.ru', 'ПАО "Нефтика"'),
  (5, 'Общество с ограниченной ответственностью "Трасса-Сервис"', 'ООО "Трасса-Сервис"', '6165123405', '616501001', '45120005', '344002, г. Ростов-на-Дону, ул. Пушкинская, д. 70', '№ 5/2013-ЭМ', 'trassa@trassa-service.ru', 'ООО "Трасса-Сервис"'),
  (6, 'Акционерное общество "Кубань-Топливо"', 'АО "Кубань-Топливо"', '2310123406', '231001001', '45120006', '350000, г. Краснодар, ул. Красная, д. 122', '№ 6/2014-ЭМ', 'info@kuban-fuel.ru', 'АО "Кубань-Топливо"'),
  (7, 'Общество с ограниченной ответственностью "Сибирская топливная компания"', 'ООО "СТК"', '5406123407', '540601001', '45120007', '630099, г. Новосибирск, Красный пр-т, д. 28', '№ 7/2015-ЭМ', 'office@stk-sib.ru', 'ООО "СТК"'),
  (8, 'Акционерное общество "Камская нефтебаза"', 'АО "Камская нефтебаза"', '5902123408', '590201001', '45120008', '614000, г. Пермь, ул. Ленина, д. 50', '№ 8/2016-ЭМ', 'kamneft@kamneft.ru', 'АО "Камская нефтебаза"'),
  (9, 'Общество с ограниченной ответственностью "Дон-Петрол"', 'ООО "Дон-Петрол"', '3664123409', '366401001', '45120009', '394036, г. Воронеж, пр-т Революции, д. 33', '№ 9/2017-ЭМ', 'don@don-petrol.ru', 'ООО "Дон-Петрол"'),
  (10, 'Общество с ограниченной ответственностью "Магистраль-Ойл"', 'ООО "Магистраль-Ойл"', '6950123410', '695001001', '45120010', '170100, г. Тверь, ул. Советская, д. 7', '№ 10/2018-ЭМ', 'info@magistral-oil.ru', 'ООО "Магистраль-Ойл"'),
  (11, 'Закрытое акционерное общество "Башнефтесбыт"', 'ЗАО "Башнефтесбыт"', '0274123411', '027401001', '45120011', '450077, г. Уфа, ул. Ленина, д. 2', '№ 11/2011-ЭМ', 'office@bashsbyt.ru', 'ЗАО "Башнефтесбыт"'),
  (12, 'Общество с ограниченной ответственностью "Привал"', 'ООО "Привал"', '7106123412', '710601001', '45120012', '300041, г. Тула, пр-т Ленина, д. 43', '№ 12/2012-ЭМ', 'privall@privall.ru', 'ООО "Привал"'),
  (13, 'Общество с ограниченной ответственностью "Московская топливная сеть"', 'ООО "МТС-Топливо"', '7702123413', '770201001', '45120013', '125009, г. Москва, ул. Тверская, д. 9', '№ 13/2014-ГР', 'mts@mts-fuel.ru', 'ООО "МТС-Топливо"'),
  (14, 'Акционерное общество "Поволжская сбытовая компания"', 'АО "ПСК"', '6315123414', '631501001', '45120014', '443010, г. Самара, ул. Куйбышева, д. 92', '№ 14/2015-ГР', 'psk@psk-samara.ru', 'АО "ПСК"'),
  (15, 'Общество с ограниченной ответственностью "Трасса М-7"', 'ООО "Трасса М-7"', '5262123415', '526201001', '45120015', '603005, г. Нижний Новгород, ул. Алексеевская, д. 10', '№ 15/2016-ГР', 'm7@trassa-m7.ru', 'ООО "Трасса М-7"'),
  (16, 'Общество с ограниченной ответственностью "Северная сеть АЗС"', 'ООО "Северная сеть АЗС"', '7810123416', '781001001', '45120016', '190000, г. Санкт-Петербург, Невский пр-т, д. 44', '№ 16/2017-ГР', 'azs@north-net.ru', 'ООО "Северная сеть АЗС"'),
  (17, 'Акционерное общество "Региональный процессинг"', 'АО "Региональный процессинг"', '7604123417', '760401001', '45120017', '150000, г. Ярославль, ул. Свободы, д. 3', '№ 17/2018-ГР', 'rp@reg-processing.ru', 'АО "Региональный процессинг"'),
  (18, 'Общество с ограниченной ответственностью "Альянс-Карт"', 'ООО "Альянс-Карт"', '6229123418', '622901001', '45120018', '390000, г. Рязань, ул. Соборная, д. 15', '№ 18/2019-ГР', 'alliance@alliance-card.ru', 'ООО "Альянс-Карт"');

-- Emitents 1 to 3 are the centre's own; 11 and 12 are out of work.
INSERT INTO EMITENT (ID, NAME, ID_FIRM, IN_WORK, IS_OWN, NAME_FOR_REPORT) VALUES
  (1, 'Север-Ойл Процессинг', 1, 1, 1, 'ООО "Север-Ойл Процессинг"'),
  (2, 'Волга-Карт', 2, 1, 1, 'АО "Волга-Карт"'),
  (3, 'Уральский процессинговый центр', 3, 1, 1, 'ООО "УПЦ"'),
  (4, 'Нефтика', 4, 1, 0, 'ПАО "Нефтика"'),
  (5, 'Трасса-Сервис', 5, 1, 0, 'ООО "Трасса-Сервис"'),
  (6, 'Кубань-Топливо', 6, 1, 0, 'АО "Кубань-Топливо"'),
  (7, 'Сибирская топливная компания', 7, 1, 0, 'ООО "СТК"'),
  (8, 'Камская нефтебаза', 8, 1, 0, 'АО "Камская нефтебаза"'),
  (9, 'Дон-Петрол', 9, 1, 0, 'ООО "Дон-Петрол"'),
  (10, 'Магистраль-Ойл', 10, 1, 0, 'ООО "Магистраль-Ойл"'),
  (11, 'Башнефтесбыт', 11, 0, 0, 'ЗАО "Башнефтесбыт"'),
  (12, 'Привал', 12, 0, 0, 'ООО "Привал"');

-- Emitent E has 1 + E % 3 filials; filial 1 of emitents 1 and 2 is the centre's own.
INSERT INTO FILIAL (ID_EMITENT, ID_FILIALA, OPISANIE, IS_OWN)
SELECT e.ID, f.I,
       CASE f.I WHEN 1 THEN 'Центральный офис' ELSE 'Филиал № ' || f.I || ' (' || c.NAME || ')' END,
       CASE WHEN e.ID IN (1, 2) AND f.I = 1 THEN 1 ELSE 0 END
FROM   EMITENT e
JOIN   temp.SEQ f   ON f.I <= 1 + e.ID % 3
JOIN   temp.SEED_CITY c ON c.I = 1 + (e.ID * 5 + f.I) % (SELECT CITIES FROM temp.SEED_COUNT);

INSERT INTO OC_EMITENT_INFO (EMITENT, COUNTRY, CITY, MANAGER, MANAGER_RP, MGR_JOBTITLE,
                             MGR_JOBTITLE_RP, MAINBUH, MB_JOBTITLE, MARK, ID_OKONH) VALUES
  (1, 'Россия', 'Москва', 'Соколов Андрей Викторович', 'Соколова Андрея Викторовича',
   'Генеральный директор', 'Генерального директора', 'Лебедева Ольга Ивановна',
   'Главный бухгалтер', 1, '71100');

-- Points of service ----------------------------------------------------------------------------

INSERT INTO POS (ID_EMITENT, ID_POS, ID_FILIALA, NAME, ADRES, DATEOF)
SELECT e.ID, s.I, 1 + s.R2 % (1 + e.ID % 3),
       'АЗС № ' || s.I || ' ' || b.NAME || ', ' || a.CITY,
       a.STREET_ADDRESS,
       datetime('2008-01-01 00:00:00', '+' || (s.R3 % 5000) || ' days')
FROM   temp.SEQ s, temp.SEED_COUNT k
JOIN   EMITENT e             ON e.ID = CASE WHEN s.I % 10 < 4 THEN 1 + s.I % 3 ELSE 1 + s.R1 % 12 END
JOIN   temp.SEED_POS_BRAND b ON b.I = 1 + s.R3 % k.POS_BRANDS
JOIN   temp.SEED_ADDRESS a   ON a.I = s.I;

-- Terminals and operators find their point by its number.
CREATE INDEX POS_BY_NUMBER ON POS (ID_POS);

-- Group 0 is the service group of all points, which the lists leave out; groups 1 to 3 take part
-- in the export of invoices; group 10 has no owner firm.
INSERT INTO POS_GROUP (ID, NAME, DESCRIPTION, ID_FIRM, NAME_FOR_REPORT, USE_IN_EXP_INVOICE) VALUES
  (0, 'Все точки обслуживания', 'Служебная группа', NULL, NULL, 0),
  (1, 'АЗС Москвы и Московской области', 'Точки обслуживания столичного региона', 13, 'АЗС Москвы и Московской области (сеть ООО "МТС-Топливо")', 1),
  (2, 'АЗС Поволжья', 'Самара, Казань, Саратов, Волгоград', 14, 'АЗС Поволжья (АО "ПСК")', 1),
  (3, 'Придорожные АЗС трассы М-7', 'Трасса Москва - Казань', 15, 'Придорожные АЗС трассы М-7', 1),
  (4, 'АЗС Северо-Запада', 'Санкт-Петербург и область', 16, 'АЗС Северо-Запада', 0),
  (5, 'Городские АЗС', 'Точки в черте городов', 17, NULL, 0),
  (6, 'АЗС с газовыми колонками', 'Пропан и метан', 13, NULL, 0),
  (7, 'Круглосуточные АЗС', 'Работают 24 часа', 14, NULL, 0),
  (8, 'АЗС с автомойкой', 'Есть мойка самообслуживания', 18, NULL, 0),
  (9, 'АЗС партнёров', 'Точки сторонних эмитентов', 17, NULL, 0),
  (10, 'Новые точки обслуживания', 'Подключены в этом году', NULL, NULL, 0);

-- Two thirds of the points are in a group, every seventh in a second one.
INSERT INTO POS_GROUP_ITEM (ID_GROUP, ID_EMITENT, ID_POS)
SELECT 1 + p.ID_POS % 10, p.ID_EMITENT, p.ID_POS FROM POS p WHERE p.ID_POS % 3 <> 0
UNION
SELECT 1 + (p.ID_POS + 3) % 10, p.ID_EMITENT, p.ID_POS FROM POS p WHERE p.ID_POS % 7 = 0;

INSERT INTO TERMINAL (NUM_TERMINAL, ID_EMITENT, ID_POS, NAME, IN_WORK)
SELECT 100000 + s.I, p.ID_EMITENT, p.ID_POS,
       m.NAME || ' (касса ' || (1 + s.R2 % 4) || ')',
       CASE WHEN s.R3 % 6 = 0 THEN 2 ELSE 1 END
FROM   temp.SEQ s, temp.SEED_COUNT k, temp.SEED_SIZE z
JOIN   POS p                      ON p.ID_POS = 1 + s.R1 % z.N
JOIN   temp.SEED_TERMINAL_MODEL m ON m.I = 1 + s.R2 % k.TERMINAL_MODELS;

INSERT INTO SHIFT_STATE (ID, SHIFT_DESC) VALUES (0, 'Открыта'), (1, 'Закрыта'), (2, 'Закрыта авто');

-- Operators of the points, holders of the operator cards.
INSERT INTO CARD_OPERATOR_PERSON (ID, F_I_O, ID_EMITENT, ID_POS)
SELECT s.I, p.FIO, pos.ID_EMITENT, pos.ID_POS
FROM   temp.SEQ s, temp.SEED_SIZE z
JOIN   temp.SEED_PERSON p ON p.I = 1 + (s.I + z.N / 3) % z.N
JOIN   POS pos            ON pos.ID_POS = 1 + s.R1 % z.N
WHERE  s.I <= z.OPERATORS;

-- Clients --------------------------------------------------------------------------------------

INSERT INTO CLIENT (ID, WHO, NAME, CLIENTTYPE, IN_WORK, PASPORT, ADRESS, REAL_ADDRESS, INN, KPP,
                    OKPO, DOGOVOR, E_MAIL, NAME_FOR_REPORT, CONF_NAME_FOR_REPORT, BLOCK_DAY,
                    BLOCK_MONTH, ID_FIRM_BUYER)
SELECT s.I, 1, f.SHORT_NAME,
       CASE WHEN s.I % 10 = 9 THEN 2 WHEN s.I % 10 IN (7, 8) THEN 1 ELSE 0 END,
       CASE WHEN s.R1 % 8 = 0 THEN 0 ELSE 1 END,
       'ОГРН ' || printf('10277%08d', s.I),
       a.STREET_ADDRESS || ', оф. ' || (1 + s.R1 % 300),
       CASE WHEN s.R2 % 4 = 0 THEN a2.STREET_ADDRESS ELSE a.STREET_ADDRESS || ', оф. ' || (1 + s.R1 % 300) END,
       printf('77%08d', s.I), printf('77%02d01001', 1 + s.R3 % 50), printf('%08d', 10000000 + s.I),
       '№ ' || s.I || '/' || (2012 + s.R1 % 12) || '-ТК',
       'office' || s.I || '@fuelcard-client.ru',
       f.FULL_NAME,
       f.FULL_NAME || ', ИНН ' || printf('77%08d', s.I) || ', КПП ' || printf('77%02d01001', 1 + s.R3 % 50),
       CASE WHEN s.R2 % 5 = 0 THEN 'Да' ELSE 'Нет' END,
       CASE WHEN s.R3 % 3 = 0 THEN 'Да' ELSE 'Нет' END,
       CASE WHEN s.I % 10 IN (7, 8) AND s.I - s.I % 10 + 9 <= z.FIRMS THEN s.I - s.I % 10 + 9 END
FROM   temp.SEQ s, temp.SEED_SIZE z
JOIN   temp.SEED_FIRM_NAME f ON f.I = s.I
JOIN   temp.SEED_ADDRESS a   ON a.I = s.I
JOIN   temp.SEED_ADDRESS a2  ON a2.I = 1 + (s.I + 7) % z.N
WHERE  s.I <= z.FIRMS;

INSERT INTO CLIENT (ID, WHO, NAME, CLIENTTYPE, IN_WORK, PASPORT, ADRESS, REAL_ADDRESS, INN, KPP,
                    OKPO, DOGOVOR, E_MAIL, NAME_FOR_REPORT, CONF_NAME_FOR_REPORT, BLOCK_DAY,
                    BLOCK_MONTH, ID_FIRM_BUYER)
SELECT s.I, 0, p.FIO, 3,
       CASE WHEN s.R1 % 7 = 0 THEN 0 ELSE 1 END,
       printf('%02d %02d %06d', 10 + s.R1 % 89, 1 + s.R2 % 20, s.R3 % 1000000)
         || ', выдан ГУ МВД России по г. ' || a.CITY || ' '
         || strftime('%d.%m.%Y', date('2001-01-01', '+' || (s.R2 % 7000) || ' days')),
       a.STREET_ADDRESS || ', кв. ' || (1 + s.R2 % 200),
       a.STREET_ADDRESS || ', кв. ' || (1 + s.R2 % 200),
       printf('50%010d', s.I), NULL, NULL,
       '№ Ф-' || s.I || '/' || (2012 + s.R1 % 12),
       'client' || s.I || '@mail.ru',
       p.FIO, p.FIO,
       CASE WHEN s.R2 % 5 = 0 THEN 'Да' ELSE 'Нет' END,
       CASE WHEN s.R3 % 3 = 0 THEN 'Да' ELSE 'Нет' END,
       NULL
FROM   temp.SEQ s, temp.SEED_SIZE z
JOIN   temp.SEED_PERSON p  ON p.I = s.I
JOIN   temp.SEED_ADDRESS a ON a.I = 1 + (s.I + 3) % z.N
WHERE  s.I <= z.PERSONS;

INSERT INTO CLIENT_GROUP (ID, WHO, NAME, DESCRIPTION) VALUES
  (1, 1, 'VIP-клиенты', 'Крупнейшие клиенты по объёму'),
  (2, 1, 'Транспортные компании', 'Грузовые и пассажирские перевозки'),
  (3, 1, 'Строительные организации', 'Спецтехника и самосвалы'),
  (4, 1, 'Бюджетные организации', 'Оплата по государственным контрактам'),
  (5, 1, 'Агропредприятия', 'Сезонное потребление топлива'),
  (6, 1, 'Службы такси', 'Легковой транспорт'),
  (7, 1, 'Должники', 'Просроченная задолженность'),
  (8, 1, 'Новые клиенты', 'Договор заключён в этом году'),
  (9, 0, 'Постоянные покупатели', 'Частные лица с бонусной картой'),
  (10, 0, 'Сотрудники партнёров', 'Карты по корпоративной программе'),
  (11, 0, 'Льготная категория', 'Пенсионеры и ветераны'),
  (12, 0, 'Новые частные клиенты', 'Зарегистрированы в этом году');

-- Firms fill groups 1 to 8, private persons groups 9 to 12; some clients are in two groups.
INSERT INTO CLIENT_GROUP_ITEM (ID_GROUP, ID_CLIENT, WHO)
SELECT 1 + c.ID % 8, c.ID, 1 FROM CLIENT c WHERE c.WHO = 1 AND c.ID % 3 <> 0
UNION
SELECT 1 + (c.ID + 3) % 8, c.ID, 1 FROM CLIENT c WHERE c.WHO = 1 AND c.ID % 5 = 0
UNION
SELECT 9 + c.ID % 4, c.ID, 0 FROM CLIENT c WHERE c.WHO = 0 AND c.ID % 2 = 0
UNION
SELECT 9 + (c.ID + 1) % 4, c.ID, 0 FROM CLIENT c WHERE c.WHO = 0 AND c.ID % 6 = 0;

INSERT INTO PBL_CLIENT_GROUP (CLIENT_GROUP_ID, CLIENT_GROUP_NAME, FREQUENCY, DURATION,
                              QUANTITY_DURATION, DESCRIPTION) VALUES
  (1, 'Программа «Бонус+»', 1, 30, 12, 'Начисление бонусов за каждую заправку'),
  (2, 'Программа «Дальнобойщик»', 4, 7, 52, 'Скидка при заправке на трассах федерального значения'),
  (3, 'Программа «Выходные»', 2, 7, 26, 'Повышенные бонусы в субботу и воскресенье'),
  (4, 'Программа «Корпоративный»', 1, 90, 4, 'Квартальная скидка по объёму'),
  (5, 'Программа «Новый клиент»', 1, 30, 3, 'Приветственная скидка на первые три месяца'),
  (6, 'Программа «Газ»', 2, 30, 12, 'Скидка на газомоторное топливо');

-- Seven clients in ten take part in a programme.
INSERT INTO PBL_CLIENT_OF_GROUP (CLIENT_GROUP_ID, CLIENT_ID, CLIENT_STATUS)
SELECT 1 + (c.ID + c.WHO) % 6, c.ID, c.WHO FROM CLIENT c WHERE (c.ID * 3 + c.WHO) % 10 < 7;

-- Staff ----------------------------------------------------------------------------------------

INSERT INTO DOLJNOST (ID, OPISANIE_DOLJNOSTI) VALUES
  (1, 'Оператор процессингового центра'), (2, 'Менеджер по работе с клиентами'),
  (3, 'Бухгалтер'), (4, 'Главный бухгалтер'), (5, 'Инженер по обслуживанию АЗС'),
  (6, 'Специалист службы безопасности'), (7, 'Руководитель отдела продаж'),
  (8, 'Системный администратор');

INSERT INTO EMPLOYE (ID_CHELOVEKA, F_I_O, ID_DOLJNOST)
SELECT s.I, p.FIO, 1 + s.R3 % 8
FROM   temp.SEQ s, temp.SEED_SIZE z
JOIN   temp.SEED_PERSON p ON p.I = 1 + (s.I - 1 + z.N / 2) % z.N;

-- Firm 1 is given to employees 5 and 7, firm 2 and private person 1 have their default entry
-- (no employee); the other entries are spread over the clients from number 3 on.
INSERT INTO ACCESS_EMPLOYE_CLIENT (EMPLOYEID, CLIENTID, CLIENTTYPE) VALUES
  (5, 1, 2), (7, 1, 2), (NULL, 2, 2), (NULL, 1, 3);
INSERT INTO ACCESS_EMPLOYE_CLIENT (EMPLOYEID, CLIENTID, CLIENTTYPE)
SELECT DISTINCT
       CASE WHEN s.I % 9 = 0 THEN NULL ELSE 1 + s.R1 % z.N END,
       CASE WHEN s.I % 4 = 0 THEN 3 + s.R2 % MAX(1, z.PERSONS - 2) ELSE 3 + s.R2 % (z.FIRMS - 2) END,
       CASE WHEN s.I % 4 = 0 THEN 3 ELSE 2 END
FROM   temp.SEQ s, temp.SEED_SIZE z
WHERE  s.I <= z.N / 3;

INSERT INTO REPORT_ROLE (REPORT_ROLE_ID, REPORT_ROLE_NAME) VALUES
  (1, 'Администратор отчётов'), (2, 'Бухгалтерия'), (3, 'Отдел продаж'),
  (4, 'Служба безопасности'), (5, 'Руководство'), (6, 'Операторы процессингового центра');

-- Every third employee holds no role; some hold two.
INSERT INTO LINK_ROLE_EMPLOYEE (ID_EMP, REPORT_ROLE_ID)
SELECT e.ID_CHELOVEKA, 1 + e.ID_CHELOVEKA % 6 FROM EMPLOYE e WHERE e.ID_CHELOVEKA % 3 <> 0
UNION
SELECT e.ID_CHELOVEKA, 1 + (e.ID_CHELOVEKA + 2) % 6 FROM EMPLOYE e
WHERE  e.ID_CHELOVEKA % 3 <> 0 AND e.ID_CHELOVEKA % 4 = 0;

-- Cards ----------------------------------------------------------------------------------------

INSERT INTO CARD_STATE (ID_SOSTOYANYA, NAME) VALUES
  (0, 'Добавлено'), (1, 'В работе'), (2, 'Занесено в ЧС'), (3, 'Утеряно'), (4, 'Не выдано'),
  (5, 'Заблокировано'), (6, 'Остановлено'), (7, 'Фирма в ЧС'), (8, 'Просрочено');

-- Client cards: numbers 1 to N; three in five belong to firms. Most cards are in work, every
-- other status occurs once in twenty cards.
INSERT INTO CARD (ID, KIND, GRAFNUM, ELNUM, PAN_COD, ID_CLIENT, WHO, ID_PERSON, CARDTYPE,
                  ID_SOSTOYANYA, DATA_VYDACHI, DATA_IZYATIYA, OWNER, NEW_CARD, E_MAIL)
SELECT s.I, 1,
       '7826' || printf('%02d', 1 + s.I % 3) || printf('%07d', s.I),
       printf('%08X%08X', s.R2, s.R3 * 7),
       '6393' || printf('%02d', 1 + s.I % 3) || printf('%010d', s.I),
       CASE WHEN s.I % 5 < 3 THEN 1 + s.R1 % z.FIRMS ELSE 1 + s.R1 % z.PERSONS END,
       CASE WHEN s.I % 5 < 3 THEN 1 ELSE 0 END,
       NULL,
       t.NAME,
       st.ID_SOSTOYANYA,
       CASE WHEN st.ID_SOSTOYANYA IN (0, 4) THEN NULL
            ELSE datetime('2016-01-01 00:00:00', '+' || (s.R1 % 2900) || ' days') END,
       CASE WHEN st.ID_SOSTOYANYA IN (3, 5, 6)
            THEN strftime('%d.%m.%Y', date('2016-01-01', '+' || (s.R1 % 2900 + 400) || ' days')) END,
       CASE WHEN s.I % 5 < 3 THEN drv.SHORT_FIO ELSE own.FIO END,
       CASE WHEN s.R2 % 10 = 0 THEN 'Да' ELSE 'Нет' END,
       CASE WHEN s.R3 % 4 = 0 THEN 'card' || s.I || '@fuelcard.ru' END
FROM   temp.SEQ s, temp.SEED_SIZE z, temp.SEED_COUNT k
JOIN   CARD_STATE st          ON st.ID_SOSTOYANYA = CASE s.I % 20 WHEN 10 THEN 0 WHEN 11 THEN 2
                                   WHEN 12 THEN 3 WHEN 13 THEN 4 WHEN 14 THEN 5 WHEN 15 THEN 6
                                   WHEN 16 THEN 7 WHEN 17 THEN 8 ELSE 1 END
JOIN   temp.SEED_CARD_TYPE t  ON t.I = 1 + s.R3 % k.CARD_TYPES
JOIN   temp.SEED_PERSON drv   ON drv.I = 1 + (s.I * 3) % z.N
JOIN   temp.SEED_PERSON own   ON own.I = 1 + s.R1 % z.PERSONS;

-- Operator cards follow the client cards, employee cards follow the operator cards.
INSERT INTO CARD (ID, KIND, GRAFNUM, ELNUM, PAN_COD, ID_CLIENT, WHO, ID_PERSON, CARDTYPE,
                  ID_SOSTOYANYA, DATA_VYDACHI, DATA_IZYATIYA, OWNER, NEW_CARD, E_MAIL)
SELECT z.N + o.ID, 2,
       '7826' || printf('%02d', o.ID_EMITENT % 100) || printf('%07d', z.N + o.ID),
       printf('%08X%08X', s.R3, s.R1 * 5),
       '6393' || printf('%02d', o.ID_EMITENT % 100) || printf('%010d', z.N + o.ID),
       NULL, NULL, o.ID, 'Операторская',
       CASE WHEN s.I % 7 = 0 THEN 5 ELSE 1 END,
       datetime('2018-01-01 00:00:00', '+' || (s.R2 % 2000) || ' days'),
       CASE WHEN s.I % 7 = 0 THEN strftime('%d.%m.%Y', date('2018-01-01', '+' || (s.R2 % 2000 + 200) || ' days')) END,
       o.F_I_O, 'Нет', NULL
FROM   CARD_OPERATOR_PERSON o, temp.SEED_SIZE z
JOIN   temp.SEQ s ON s.I = o.ID;

INSERT INTO CARD (ID, KIND, GRAFNUM, ELNUM, PAN_COD, ID_CLIENT, WHO, ID_PERSON, CARDTYPE,
                  ID_SOSTOYANYA, DATA_VYDACHI, DATA_IZYATIYA, OWNER, NEW_CARD, E_MAIL)
SELECT z.N + z.OPERATORS + e.ID_CHELOVEKA, 3,
       '782601' || printf('%07d', z.N + z.OPERATORS + e.ID_CHELOVEKA),
       printf('%08X%08X', s.R1, s.R2 * 3),
       '639301' || printf('%010d', z.N + z.OPERATORS + e.ID_CHELOVEKA),
       NULL, NULL, e.ID_CHELOVEKA, 'Служебная',
       CASE WHEN s.I % 13 = 0 THEN 6 ELSE 1 END,
       datetime('2019-01-01 00:00:00', '+' || (s.R3 % 1800) || ' days'),
       CASE WHEN s.I % 13 = 0 THEN strftime('%d.%m.%Y', date('2019-01-01', '+' || (s.R3 % 1800 + 300) || ' days')) END,
       e.F_I_O, 'Нет', 'staff' || e.ID_CHELOVEKA || '@sever-oil.ru'
FROM   EMPLOYE e, temp.SEED_SIZE z
JOIN   temp.SEQ s ON s.I = e.ID_CHELOVEKA
WHERE  e.ID_CHELOVEKA <= z.EMPLOYEE_CARDS;

INSERT INTO CARD_GROUP (ID, NAME, DESCRIPTION) VALUES
  (1, 'Карты водителей', 'Выданы водителям клиентов'),
  (2, 'Топливные карты', 'Только топливо'),
  (3, 'Карты руководства', 'Без суточного лимита'),
  (4, 'Резервные карты', 'На замену утерянным'),
  (5, 'Карты для АИ-95', 'Ограничение по виду топлива'),
  (6, 'Карты дизельного топлива', 'ДТ и ДТ зимнее'),
  (7, 'Корпоративные карты', 'Общий счёт организации'),
  (8, 'Карты в пути', 'Отправлены курьером'),
  (9, 'Бонусные карты', 'Программы лояльности'),
  (10, 'Карты филиала в Казани', NULL),
  (11, 'Временные карты', 'Срок действия до конца года'),
  (12, 'Карты для проверки', 'Проверка службой безопасности');

-- Three client cards in four are in a group, every ninth in a second one.
INSERT INTO CARD_GROUP_ITEM (ID_GROUP, ID_CARD)
SELECT 1 + c.ID % 12, c.ID FROM CARD c WHERE c.KIND = 1 AND c.ID % 4 <> 0
UNION
SELECT 1 + (c.ID + 5) % 12, c.ID FROM CARD c WHERE c.KIND = 1 AND c.ID % 9 = 0;

-- Group 1 holds every employee card, group 4 none.
INSERT INTO EMP_CARD_GROUP (GROUP_ID, NAME) VALUES
  (1, 'Все карты персонала'), (2, 'Карты дежурной смены'), (3, 'Карты отдела ИТ'),
  (4, 'Резерв');
INSERT INTO EMP_CARD_GROUP_ITEM (GROUP_ID, CARD_ID)
SELECT 1, c.ID FROM CARD c WHERE c.KIND = 3
UNION ALL
SELECT 2, c.ID FROM CARD c WHERE c.KIND = 3 AND c.ID % 2 = 0
UNION ALL
SELECT 3, c.ID FROM CARD c WHERE c.KIND = 3 AND c.ID % 10 = 0;

-- RFID tags ------------------------------------------------------------------------------------

-- A tag belongs to a firm's vehicle; three in four tags of firm cards are bound to the card.
INSERT INTO RFID_TAG (RFID_NUM, RFID_NAME, ID_CLIENT, ID_CARD, VEHICLE_NAME, VEHICLE_NUMBER,
                      TARNOLTANK, DAYS, TIME_INTERVAL)
SELECT 3000000 + s.I,
       'Метка ' || v.NAME || ' ' || l1.L || printf('%03d', 1 + s.R1 % 999) || l2.L || l3.L || c.REGION,
       coalesce(crd.ID_CLIENT, 1 + s.R1 % z.FIRMS),
       crd.ID,
       v.NAME,
       l1.L || printf('%03d', 1 + s.R1 % 999) || l2.L || l3.L || c.REGION,
       v.TANK,
       d.DAYS, d.TIME_INTERVAL
FROM   temp.SEQ s, temp.SEED_SIZE z, temp.SEED_COUNT k
LEFT JOIN CARD crd              ON crd.ID = s.I AND crd.KIND = 1 AND crd.WHO = 1 AND s.I % 4 <> 0
JOIN   temp.SEED_VEHICLE v      ON v.I = 1 + s.R2 % k.VEHICLES
JOIN   temp.SEED_PLATE_LETTER l1 ON l1.I = 1 + s.R1 % k.PLATE_LETTERS
JOIN   temp.SEED_PLATE_LETTER l2 ON l2.I = 1 + s.R2 % k.PLATE_LETTERS
JOIN   temp.SEED_PLATE_LETTER l3 ON l3.I = 1 + s.R3 % k.PLATE_LETTERS
JOIN   temp.SEED_CITY c         ON c.I = 1 + s.R3 % k.CITIES
JOIN   temp.SEED_SERVICE_DAYS d ON d.I = 1 + s.I % k.SERVICE_DAYS;

-- Group 8 holds no tags.
INSERT INTO RFID_GROUP (GROUP_ID, GROUP_NAME, GROUP_DESC) VALUES
  (1, 'Грузовой транспорт', 'Седельные тягачи и грузовики'),
  (2, 'Лёгкий коммерческий транспорт', 'Фургоны и микроавтобусы'),
  (3, 'Легковые автомобили', 'Служебные легковые автомобили'),
  (4, 'Спецтехника', 'Самосвалы, краны, экскаваторы'),
  (5, 'Автобусы', 'Пассажирские перевозки'),
  (6, 'Транспорт филиалов', 'Автомобили региональных подразделений'),
  (7, 'Арендованный транспорт', 'Договоры аренды с экипажем'),
  (8, 'Резервные метки', 'Метки, ещё не выданные клиентам');

INSERT INTO RFID_GROUP_ITEM (GROUP_ID, RFID_NUM)
SELECT 1 + t.RFID_NUM % 7, t.RFID_NUM FROM RFID_TAG t WHERE t.RFID_NUM % 3 <> 0;

-- Emitent groups -------------------------------------------------------------------------------

-- The centre's own emitents are in group 6 besides their regional group, so they are in two.
INSERT INTO EMITENT_GROUP (ID, NAME, DESCRIPTION, ID_FIRM, E_MAIL, NAME_FOR_REPORT) VALUES
  (1, 'Эмитенты Центрального региона', 'Москва, Тверь, Тула, Рязань', 17, 'center@reg-processing.ru', 'Эмитенты Центрального региона'),
  (2, 'Эмитенты Поволжья', 'Нижний Новгород, Казань, Самара', 14, 'volga@psk-samara.ru', 'Эмитенты Поволжья'),
  (3, 'Эмитенты Урала и Сибири', 'Екатеринбург, Пермь, Уфа, Новосибирск', 17, NULL, 'Эмитенты Урала и Сибири'),
  (4, 'Эмитенты Юга', 'Ростов-на-Дону, Краснодар, Воронеж', 18, 'south@alliance-card.ru', 'Эмитенты Юга'),
  (5, 'Партнёрская сеть', 'Эмитенты по договорам взаимного обслуживания', NULL, NULL, NULL),
  (6, 'Собственные эмитенты', 'Эмитенты операционного центра', 1, 'office@sever-oil.ru', 'Собственные эмитенты операционного центра');

INSERT INTO EMITENT_GROUP_ITEM (ID_GROUP, ID_EMITENT)
SELECT 1 + e.ID % 5, e.ID FROM EMITENT e
UNION
SELECT 6, e.ID FROM EMITENT e WHERE e.IS_OWN = 1;

-- Reference lists ------------------------------------------------------------------------------

INSERT INTO DTARIF (ID, IS_EXTERNAL, NAME, DESCRIPTION) VALUES
  (1, 0, 'Базовый', 'Цена по стеле без скидки'),
  (2, 0, 'Скидка 1% на все виды топлива', 'Для клиентов с объёмом от 1 т в месяц'),
  (3, 0, 'Скидка 2% на ДТ', 'Транспортные компании'),
  (4, 0, 'Скидка 3% на АИ-95', 'Акция сезона'),
  (5, 0, 'Фиксированная цена АИ-92', 'Цена фиксируется на квартал'),
  (6, 0, 'Скидка 50 коп/л', 'Корпоративный тариф'),
  (7, 0, 'Накопительная скидка', 'Растёт с объёмом за месяц'),
  (8, 0, 'Тариф для бюджетных организаций', 'Цена по контракту'),
  (101, 1, 'Тариф партнёра "Нефтика"', 'Обслуживание в сети ПАО "Нефтика"'),
  (102, 1, 'Тариф партнёра "Трасса-Сервис"', 'Обслуживание на трассе М-4'),
  (103, 1, 'Тариф партнёра "Кубань-Топливо"', 'Краснодарский край'),
  (104, 1, 'Межрегиональный тариф', 'Все партнёрские сети'),
  (105, 1, 'Тариф "Газ партнёров"', 'Пропан и метан в партнёрских сетях'),
  (106, 1, 'Тариф роуминга', 'Обслуживание в чужих сетях по цене стелы');

INSERT INTO SERVICE_TYPE (ID, NAME) VALUES
  (1, 'Топливо'), (2, 'Газомоторное топливо'), (3, 'Сопутствующие товары'),
  (4, 'Услуги автомойки'), (5, 'Кафе'), (6, 'Шиномонтаж');

INSERT INTO SERVICE (ID, NAME, MEASUREMENT, ACTIVNOST, ID_SERVICE_TYPE) VALUES
  (1, 'АИ-92', 'л', 1, 1), (2, 'АИ-95', 'л', 1, 1), (3, 'АИ-98', 'л', 1, 1),
  (4, 'АИ-100', 'л', 0, 1), (5, 'ДТ', 'л', 1, 1), (6, 'ДТ зимнее', 'л', 1, 1),
  (7, 'ДТ арктическое', 'л', 0, 1), (8, 'Пропан-бутан', 'л', 1, 2), (9, 'Метан', 'м3', 1, 2),
  (10, 'AdBlue', 'л', 1, 3), (11, 'Масло моторное', 'л', 1, 3),
  (12, 'Жидкость стеклоомывающая', 'л', 1, 3), (13, 'Мойка кузова', 'шт', 1, 4),
  (14, 'Комплексная мойка', 'шт', 1, 4), (15, 'Кофе', 'шт', 1, 5),
  (16, 'Хот-дог', 'шт', 0, 5), (17, 'Шиномонтаж колеса', 'шт', 1, 6),
  (18, 'Подкачка шин', 'шт', 1, 6);

INSERT INTO DTARIF_PERIOD_PARAM (ID_DTARIF_PERIOD_PARAM, NAME, DESCRIPTION) VALUES
  (1, 'Ночная скидка', 'С 23:00 до 06:00'),
  (2, 'Выходные дни', 'Суббота и воскресенье'),
  (3, 'Праздничные дни', 'По производственному календарю'),
  (4, 'Утренние часы', 'С 06:00 до 10:00'),
  (5, 'Зимний период', 'С 1 ноября по 31 марта'),
  (6, 'Конец месяца', 'Последние три дня месяца');

INSERT INTO TRN_TYPE (ID, NAME) VALUES
  (1, 'Покупка'), (2, 'Возврат'), (3, 'Пополнение счёта'), (4, 'Списание со счёта'),
  (5, 'Перевод между картами'), (6, 'Начисление бонусов'), (7, 'Списание бонусов'),
  (8, 'Корректировка баланса'), (9, 'Отмена операции');

INSERT INTO NOTIFICATION_TYPE (ID, NOTICE_DESCRIPTION, NOTICE_DEFAULT) VALUES
  (1, 'Пополнение счёта', 1), (2, 'Блокировка карты', 1), (3, 'Превышение лимита', 1),
  (10, 'Низкий остаток на счёте', 0), (99, 'Ежемесячный отчёт', 0),
  (100, 'Акция партнёра', 0), (101, 'Новости операционного центра', 0);

INSERT INTO TRN_SCHEME (SCHEME_ID, SCHEME_NAME) VALUES
  (1, 'Стандартная'), (2, 'С подтверждением'), (3, 'Офлайн'), (4, 'Бонусная'),
  (5, 'Предоплата'), (6, 'Кредитная линия');

INSERT INTO ACCOUNT_CHANGE_REASON (OPERATION, DISCRIPTION_REASON) VALUES
  (1, 'Пополнение счёта клиентом'), (2, 'Возврат средств клиенту'),
  (3, 'Корректировка по акту сверки'), (4, 'Перенос остатка между договорами'),
  (5, 'Списание комиссии за обслуживание'), (6, 'Компенсация по претензии клиента'),
  (7, 'Списание по решению суда');

-- Terminal shifts ------------------------------------------------------------------------------

-- The first quarter of the terminals work in shifts numbered from 1, so equal shift numbers
-- occur on different terminals; the last shift of every terminal is still open.
INSERT INTO TERMINAL_SHIFT (NUM_TERMINAL, SHIFT_ID, STATE, CARD_OPERATOR_NUMBER, DATETIME_OPEN,
                            DATETIME_CLOSE, SHIFT_GUID, MMNT_OPEN, MMNT_CLOSE)
SELECT x.NUM_TERMINAL, x.SHIFT_ID, x.STATE, x.OPERATOR_CARD, x.OPENED,
       CASE WHEN x.STATE <> 0 THEN datetime(x.OPENED, '+12 hours') END,
       x.GUID,
       CAST(strftime('%s', x.OPENED) AS INTEGER),
       CASE WHEN x.STATE <> 0 THEN CAST(strftime('%s', x.OPENED, '+12 hours') AS INTEGER) END
FROM  (SELECT 100000 + 1 + (s.I - 1) % z.SHIFT_TERMINALS AS NUM_TERMINAL,
              1 + (s.I - 1) / z.SHIFT_TERMINALS AS SHIFT_ID,
              CASE WHEN s.I + z.SHIFT_TERMINALS > z.N THEN 0
                   WHEN s.R1 % 9 = 0 THEN 2 ELSE 1 END AS STATE,
              (SELECT c.GRAFNUM_NUM FROM CARD c WHERE c.ID = z.N + 1 + s.I % z.OPERATORS) AS OPERATOR_CARD,
              datetime('2024-03-01 07:00:00', '+' || ((s.I - 1) / z.SHIFT_TERMINALS) || ' days',
                       '+' || (s.R2 % 180) || ' minutes') AS OPENED,
              printf('%08X%08X%08X%08X', s.R1, s.R2, s.R3, s.I) AS GUID
       FROM   temp.SEQ s, temp.SEED_SIZE z) x;

-- Journal of acts ------------------------------------------------------------------------------

-- Acts of three years, numbered within each year, dated in working hours; act 3 of every year
-- has no stored document.
INSERT INTO DROC_JOURNAL_ACT (DROC_JOURNAL_ACT_ID, ACT_NUMBER, ACT_DATE, CLIENT_ID, WHO,
                              AMOUNT_CARDS, COMMENTARY, REPORT_FILE_NAME, REPORT_FILE)
SELECT x.I, x.ACT_NUMBER, x.ACT_DATE, c.ID, c.WHO, x.AMOUNT, x.COMMENTARY,
       CASE WHEN x.ACT_NUMBER <> 3 THEN x.FILE_NAME END,
       CASE WHEN x.ACT_NUMBER <> 3 THEN CAST(
         'Акт приёма-передачи карт № ' || x.ACT_NUMBER || ' от ' || strftime('%d.%m.%Y', x.ACT_DATE)
         || char(13, 10) || 'Клиент: ' || c.NAME || char(13, 10)
         || 'Количество карт: ' || x.AMOUNT || char(13, 10) AS BLOB) END
FROM  (SELECT s.I, s.R2,
              1 + (s.I - 1) / 3 AS ACT_NUMBER,
              datetime((2022 + (s.I - 1) % 3) || '-01-01 09:00:00',
                       '+' || (((s.I - 1) / 3) * 364 / z.ACTS_PER_YEAR) || ' days',
                       '+' || (s.R1 % 540) || ' minutes') AS ACT_DATE,
              1 + s.R3 % 50 AS AMOUNT,
              CASE s.R1 % 5
                WHEN 0 THEN NULL
                WHEN 1 THEN 'Передано представителю клиента по доверенности'
                WHEN 2 THEN 'Карты выданы водителям' || char(13, 10) || 'Доверенность № '
                            || (1 + s.R2 % 90) || ' подписана руководителем'
                WHEN 3 THEN 'Замена утерянных карт'
                ELSE 'Выдача новых карт' END AS COMMENTARY,
              'Акт_' || (2022 + (s.I - 1) % 3) || '_' || printf('%05d', 1 + (s.I - 1) / 3) || '.txt' AS FILE_NAME,
              CASE WHEN s.I % 7 = 0 THEN 0 ELSE 1 END AS CLIENT_WHO,
              z.FIRMS, z.PERSONS
       FROM   temp.SEQ s, temp.SEED_SIZE z) x
JOIN   CLIENT c ON c.WHO = x.CLIENT_WHO
               AND c.ID = 1 + x.R2 % CASE x.CLIENT_WHO WHEN 1 THEN x.FIRMS ELSE x.PERSONS END;
