-- Translation of the programs' texts. The programs are written in Russian; LANG_PHRASE holds
-- each Russian phrase once, LANG_TRANSLATION its translations by language (Windows primary
-- language ids: 25 Russian, 9 English, 34 Ukrainian). Translators register the phrases of a
-- program (DPR) and of its windows (DFM) through LANG_PACK.SAVE_RUSSIAN_PHRASE.

CREATE TABLE LANG (
  ID_LANG NUMBER(4)    NOT NULL PRIMARY KEY,
  NAME    VARCHAR2(40) NOT NULL);

CREATE TABLE DPR (
  ID_DPR NUMBER(10)    NOT NULL PRIMARY KEY,
  NAME   VARCHAR2(255) NOT NULL);

CREATE TABLE DFM (
  ID_DFM      NUMBER(10)    NOT NULL PRIMARY KEY,
  FK_DPR      NUMBER(10)    NOT NULL,
  NAME        VARCHAR2(255) NOT NULL,
  IS_TRANSLIT NUMBER(1)     NOT NULL);

CREATE TABLE LANG_PHRASE (
  ID_PHRASE NUMBER(10)     NOT NULL PRIMARY KEY,
  RUS_TEXT  VARCHAR2(4000) NOT NULL UNIQUE);

CREATE TABLE LANG_DFM_PHRASE (
  ID_DFM     NUMBER(10)    NOT NULL,
  ID_PHRASE  NUMBER(10)    NOT NULL,
  COMMENTARY VARCHAR2(255),
  PRIMARY KEY (ID_DFM, ID_PHRASE));

CREATE TABLE LANG_TRANSLATION (
  ID_PHRASE NUMBER(10)     NOT NULL,
  ID_LANG   NUMBER(4)      NOT NULL,
  TEXT      VARCHAR2(4000) NOT NULL,
  PRIMARY KEY (ID_PHRASE, ID_LANG));

INSERT INTO LANG (ID_LANG, NAME) VALUES (25, 'Русский'), (9, 'English'), (34, 'Українська');

INSERT INTO DPR (ID_DPR, NAME) VALUES (1, 'OCReports.dpr'), (2, 'OCClients.dpr');
INSERT INTO DFM (ID_DFM, FK_DPR, NAME, IS_TRANSLIT) VALUES
  (1, 1, 'TfmMainReports', 1), (2, 1, 'TfmReportSettings', 1), (3, 2, 'TfmClientCard', 0);

INSERT INTO LANG_PHRASE (ID_PHRASE, RUS_TEXT) VALUES
  (1, 'По умолчанию'), (2, 'Не задан'), (3, 'Покупка'), (4, 'Возврат'),
  (5, 'Пополнение счёта'), (6, 'Списание со счёта'), (7, 'Перевод между картами'),
  (8, 'Начисление бонусов'), (9, 'Списание бонусов'), (10, 'Корректировка баланса'),
  (11, 'Отмена операции'), (12, 'Блокировка карты'), (13, 'Превышение лимита'),
  (14, 'Низкий остаток на счёте'), (15, 'Ежемесячный отчёт'), (16, 'Отчёты'),
  (17, 'Настройки отчёта');

INSERT INTO LANG_DFM_PHRASE (ID_DFM, ID_PHRASE, COMMENTARY) VALUES
  (1, 16, NULL), (2, 17, NULL), (2, 1, NULL);

INSERT INTO LANG_TRANSLATION (ID_PHRASE, ID_LANG, TEXT) VALUES
  (1, 9, 'By default'), (2, 9, 'Not set'), (3, 9, 'Purchase'), (4, 9, 'Refund'),
  (5, 9, 'Account top-up'), (6, 9, 'Account debit'), (7, 9, 'Transfer between cards'),
  (8, 9, 'Bonus accrual'), (9, 9, 'Bonus redemption'), (10, 9, 'Balance correction'),
  (11, 9, 'Operation cancelled'), (12, 9, 'Card blocked'), (13, 9, 'Limit exceeded'),
  (14, 9, 'Low account balance'), (15, 9, 'Monthly report'), (16, 9, 'Reports'),
  (17, 9, 'Report settings'),
  (1, 34, 'За замовчуванням'), (2, 34, 'Не задано'), (3, 34, 'Купівля'), (4, 34, 'Повернення');

-- The interface language of the schema's users.
INSERT INTO ORA_PACKAGE_VARS (PACKAGE_NAME, VAR_NAME, DATA_TYPE, VALUE) VALUES
  ('LANG_PACK', 'USER_LANG_ID', 'NUMBER', 25);

-- A text in the users' language: its translation when there is one, otherwise the text itself.
-- The application texts (windows) and the report texts share the phrase book.
INSERT INTO ORA_ROUTINES (PACKAGE_NAME, ROUTINE_NAME, ROUTINE_KIND, RESULT_TYPE, BODY)
SELECT 'LANG_PACK', f.column1, 'FUNCTION', 'VARCHAR2',
       'SELECT coalesce((SELECT t.TEXT
                         FROM   &OWNER.LANG_PHRASE p
                         JOIN   &OWNER.LANG_TRANSLATION t ON t.ID_PHRASE = p.ID_PHRASE
                         WHERE  p.RUS_TEXT = :P_TEXT
                           AND  t.ID_LANG = (SELECT v.VALUE FROM &OWNER.ORA_PACKAGE_VARS v
                                             WHERE v.PACKAGE_NAME = ''LANG_PACK''
                                               AND v.VAR_NAME = ''USER_LANG_ID'')),
                        :P_TEXT)'
FROM (VALUES ('GET_RESOURCE_APL_TXT'), ('GET_RESOURCE_REP_TXT')) f;

-- Registers a Russian phrase of a window: the phrase enters the phrase book once and is linked
-- to the window; a window that is not registered is refused.
INSERT INTO ORA_ROUTINES (PACKAGE_NAME, ROUTINE_NAME, ROUTINE_KIND, RESULT_TYPE, BODY) VALUES
('LANG_PACK', 'SAVE_RUSSIAN_PHRASE', 'PROCEDURE', NULL,
 'SELECT RAISE_APPLICATION_ERROR(-20030, ''Окно '' || CAST(:P_ID_DFM AS INTEGER) || '' не зарегистрировано'')
  WHERE NOT EXISTS (SELECT 1 FROM &OWNER.DFM d WHERE d.ID_DFM = :P_ID_DFM);
  INSERT INTO &OWNER.LANG_PHRASE (ID_PHRASE, RUS_TEXT)
  SELECT (SELECT coalesce(max(p.ID_PHRASE), 0) + 1 FROM &OWNER.LANG_PHRASE p), :P_TEXT
  WHERE  NOT EXISTS (SELECT 1 FROM &OWNER.LANG_PHRASE p WHERE p.RUS_TEXT = :P_TEXT);
  INSERT OR IGNORE INTO &OWNER.LANG_DFM_PHRASE (ID_DFM, ID_PHRASE, COMMENTARY)
  SELECT :P_ID_DFM, p.ID_PHRASE, :P_COMMENT FROM &OWNER.LANG_PHRASE p WHERE p.RUS_TEXT = :P_TEXT');

INSERT INTO ORA_ROUTINE_ARGS (PACKAGE_NAME, ROUTINE_NAME, POSITION, ARG_NAME, DIRECTION, DATA_TYPE) VALUES
  ('LANG_PACK', 'GET_RESOURCE_APL_TXT', 1, 'P_TEXT', 'IN', 'VARCHAR2'),
  ('LANG_PACK', 'GET_RESOURCE_REP_TXT', 1, 'P_TEXT', 'IN', 'VARCHAR2'),
  ('LANG_PACK', 'SAVE_RUSSIAN_PHRASE', 1, 'P_TEXT', 'IN', 'VARCHAR2'),
  ('LANG_PACK', 'SAVE_RUSSIAN_PHRASE', 2, 'P_ID_DFM', 'IN', 'NUMBER'),
  ('LANG_PACK', 'SAVE_RUSSIAN_PHRASE', 3, 'P_COMMENT', 'IN', 'VARCHAR2');
