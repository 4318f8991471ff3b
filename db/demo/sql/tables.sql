-- Base tables of an operating centre's schema. Every column carries its Oracle type, because the
-- views hand the declared type of each column to the datasets, which take field types and sizes
-- from it. Dates are ISO texts 'YYYY-MM-DD HH:MM:SS'.
--
-- RCHECK is the mark column of the selectable lists; the centre's views deliver it unmarked.
-- It is a virtual column here (no storage) so that the views pass on its CHAR(1) type: an
-- expression in a view would lose it. ROWID_QUERY, the row's address text that the server-side
-- mark mirror keys on, is virtual for the same reason.

-- Legal entities behind emitents and group owners.
CREATE TABLE FIRM (
  ID              NUMBER(10)    NOT NULL PRIMARY KEY,
  NAME            VARCHAR2(120) NOT NULL,
  SHORT_NAME      VARCHAR2(40)  NOT NULL,
  INN             VARCHAR2(30),
  KPP             VARCHAR2(9),
  OKPO            VARCHAR2(10),
  ADRESS          VARCHAR2(100),
  DOGOVOR         VARCHAR2(40),
  E_MAIL          VARCHAR2(100),
  NAME_FOR_REPORT VARCHAR2(100));

-- Emitents of the processing network; IS_OWN marks the operating centre's own ones.
CREATE TABLE EMITENT (
  ID              NUMBER(6)    NOT NULL PRIMARY KEY,
  NAME            VARCHAR2(40) NOT NULL,
  ID_FIRM         NUMBER(10)   NOT NULL,
  IN_WORK         NUMBER(1)    NOT NULL,
  IS_OWN          NUMBER(1)    NOT NULL,
  NAME_FOR_REPORT VARCHAR2(100),
  RCHECK          CHAR(1)      GENERATED ALWAYS AS ('-') VIRTUAL,
  ROWID_QUERY     VARCHAR2(18) GENERATED ALWAYS AS ('AAAEMT' || printf('%012X', ID)) VIRTUAL);

-- Filials of the emitents acting as acquirers; IS_OWN marks the centre's own filials.
CREATE TABLE FILIAL (
  ID_EMITENT NUMBER(6)    NOT NULL,
  ID_FILIALA NUMBER(4)    NOT NULL,
  OPISANIE   VARCHAR2(40) NOT NULL,
  IS_OWN     NUMBER(1)    NOT NULL,
  PRIMARY KEY (ID_EMITENT, ID_FILIALA));

-- The centre's card of its own emitent, read for report headers.
CREATE TABLE OC_EMITENT_INFO (
  EMITENT         NUMBER(6)    NOT NULL PRIMARY KEY,
  COUNTRY         VARCHAR2(40),
  CITY            VARCHAR2(40),
  MANAGER         VARCHAR2(40),
  MANAGER_RP      VARCHAR2(40),
  MGR_JOBTITLE    VARCHAR2(32),
  MGR_JOBTITLE_RP VARCHAR2(32),
  MAINBUH         VARCHAR2(32),
  MB_JOBTITLE     VARCHAR2(32),
  MARK            NUMBER(1)    NOT NULL,
  ID_OKONH        VARCHAR2(10));

-- Points of service: (emitent, point number) is the key, the filial a property of the point.
CREATE TABLE POS (
  ID_EMITENT NUMBER(6)     NOT NULL,
  ID_POS     NUMBER(8)     NOT NULL,
  ID_FILIALA NUMBER(4)     NOT NULL,
  NAME       VARCHAR2(120) NOT NULL,
  ADRES      VARCHAR2(100),
  DATEOF     DATE,
  RCHECK     CHAR(1)       GENERATED ALWAYS AS ('-') VIRTUAL,
  PRIMARY KEY (ID_EMITENT, ID_POS));

CREATE TABLE POS_GROUP (
  ID                 NUMBER(8)     NOT NULL PRIMARY KEY,
  NAME               VARCHAR2(120) NOT NULL,
  DESCRIPTION        VARCHAR2(100),
  ID_FIRM            NUMBER(10),
  NAME_FOR_REPORT    VARCHAR2(512),
  USE_IN_EXP_INVOICE NUMBER(1)     NOT NULL,
  RCHECK             CHAR(1)       GENERATED ALWAYS AS ('-') VIRTUAL);

CREATE TABLE POS_GROUP_ITEM (
  ID_GROUP   NUMBER(8) NOT NULL,
  ID_EMITENT NUMBER(6) NOT NULL,
  ID_POS     NUMBER(8) NOT NULL,
  PRIMARY KEY (ID_GROUP, ID_EMITENT, ID_POS));

-- Terminals of the points; IN_WORK is 1 in work, 2 out of work.
CREATE TABLE TERMINAL (
  NUM_TERMINAL NUMBER(8)    NOT NULL PRIMARY KEY,
  ID_EMITENT   NUMBER(6)    NOT NULL,
  ID_POS       NUMBER(8)    NOT NULL,
  NAME         VARCHAR2(40) NOT NULL,
  IN_WORK      NUMBER(1)    NOT NULL,
  FULLNAME     VARCHAR2(51) GENERATED ALWAYS AS ('[' || NUM_TERMINAL || '] ' || NAME) VIRTUAL);

CREATE TABLE SHIFT_STATE (
  ID         NUMBER(1)    NOT NULL PRIMARY KEY,
  SHIFT_DESC VARCHAR2(15) NOT NULL);

-- Terminal shifts: a shift number is unique per terminal only.
CREATE TABLE TERMINAL_SHIFT (
  NUM_TERMINAL         NUMBER(8)    NOT NULL,
  SHIFT_ID             NUMBER(10)   NOT NULL,
  STATE                NUMBER(1)    NOT NULL,
  CARD_OPERATOR_NUMBER NUMBER(15),
  DATETIME_OPEN        DATE         NOT NULL,
  DATETIME_CLOSE       DATE,
  SHIFT_GUID           VARCHAR2(32) NOT NULL,
  MMNT_OPEN            NUMBER(12)   NOT NULL,
  MMNT_CLOSE           NUMBER(12),
  RCHECK               CHAR(1)      GENERATED ALWAYS AS ('-') VIRTUAL,
  PRIMARY KEY (NUM_TERMINAL, SHIFT_ID));

-- Clients: firms (WHO = 1) and private persons (WHO = 0); a number is unique only with WHO.
-- CLIENTTYPE of a firm is 0 client, 1 consignee, 2 buyer; a private person has 3.
CREATE TABLE CLIENT (
  ID                   NUMBER(10)    NOT NULL,
  WHO                  NUMBER(1)     NOT NULL,
  NAME                 VARCHAR2(40)  NOT NULL,
  CLIENTTYPE           NUMBER(1)     NOT NULL,
  IN_WORK              NUMBER(1)     NOT NULL,
  PASPORT              VARCHAR2(100),
  ADRESS               VARCHAR2(100),
  REAL_ADDRESS         VARCHAR2(100),
  INN                  VARCHAR2(30),
  KPP                  VARCHAR2(9),
  OKPO                 VARCHAR2(10),
  DOGOVOR              VARCHAR2(40),
  E_MAIL               VARCHAR2(100),
  NAME_FOR_REPORT      VARCHAR2(100),
  CONF_NAME_FOR_REPORT VARCHAR2(255),
  BLOCK_DAY            VARCHAR2(10),
  BLOCK_MONTH          VARCHAR2(10),
  ID_FIRM_BUYER        NUMBER(10),
  RCHECK               CHAR(1)       GENERATED ALWAYS AS ('-') VIRTUAL,
  ROWID_QUERY          VARCHAR2(18)  GENERATED ALWAYS AS ('AAACL' || WHO || printf('%012X', ID)) VIRTUAL,
  PRIMARY KEY (ID, WHO));

-- Client groups hold clients of one kind (WHO).
CREATE TABLE CLIENT_GROUP (
  ID          NUMBER(8)     NOT NULL PRIMARY KEY,
  WHO         NUMBER(1)     NOT NULL,
  NAME        VARCHAR2(40)  NOT NULL,
  DESCRIPTION VARCHAR2(100),
  RCHECK      CHAR(1)       GENERATED ALWAYS AS ('-') VIRTUAL);

CREATE TABLE CLIENT_GROUP_ITEM (
  ID_GROUP  NUMBER(8)  NOT NULL,
  ID_CLIENT NUMBER(10) NOT NULL,
  WHO       NUMBER(1)  NOT NULL,
  PRIMARY KEY (ID_GROUP, ID_CLIENT, WHO));

-- The second grouping of clients, used by the loyalty programmes.
CREATE TABLE PBL_CLIENT_GROUP (
  CLIENT_GROUP_ID   NUMBER(8)      NOT NULL PRIMARY KEY,
  CLIENT_GROUP_NAME VARCHAR2(40)   NOT NULL,
  FREQUENCY         NUMBER(4),
  DURATION          NUMBER(4),
  QUANTITY_DURATION NUMBER(6),
  DESCRIPTION       VARCHAR2(4000),
  ROWID_QUERY       VARCHAR2(18)   GENERATED ALWAYS AS ('AAAPBL' || printf('%012X', CLIENT_GROUP_ID)) VIRTUAL);

CREATE TABLE PBL_CLIENT_OF_GROUP (
  CLIENT_GROUP_ID NUMBER(8)  NOT NULL,
  CLIENT_ID       NUMBER(10) NOT NULL,
  CLIENT_STATUS   NUMBER(1)  NOT NULL,
  PRIMARY KEY (CLIENT_GROUP_ID, CLIENT_ID, CLIENT_STATUS));

-- Staff of the operating centre.
CREATE TABLE DOLJNOST (
  ID                 NUMBER(4)    NOT NULL PRIMARY KEY,
  OPISANIE_DOLJNOSTI VARCHAR2(40) NOT NULL);

CREATE TABLE EMPLOYE (
  ID_CHELOVEKA NUMBER(10)   NOT NULL PRIMARY KEY,
  F_I_O        VARCHAR2(40) NOT NULL,
  ID_DOLJNOST  NUMBER(4)    NOT NULL,
  RCHECK       CHAR(1)      GENERATED ALWAYS AS ('-') VIRTUAL);

-- Clients given to employees; CLIENTTYPE 2 is a firm, 3 a private person; an entry without
-- employee is the default entry of the client.
CREATE TABLE ACCESS_EMPLOYE_CLIENT (
  EMPLOYEID  NUMBER(10),
  CLIENTID   NUMBER(10) NOT NULL,
  CLIENTTYPE NUMBER(1)  NOT NULL);

CREATE TABLE REPORT_ROLE (
  REPORT_ROLE_ID   NUMBER(6)    NOT NULL PRIMARY KEY,
  REPORT_ROLE_NAME VARCHAR2(50) NOT NULL);

CREATE TABLE LINK_ROLE_EMPLOYEE (
  ID_EMP         NUMBER(10) NOT NULL,
  REPORT_ROLE_ID NUMBER(6)  NOT NULL,
  PRIMARY KEY (ID_EMP, REPORT_ROLE_ID));

-- Card statuses 0 to 8.
CREATE TABLE CARD_STATE (
  ID_SOSTOYANYA NUMBER(1)    NOT NULL PRIMARY KEY,
  NAME          VARCHAR2(16) NOT NULL);

-- Operators of the points of service, holders of operator cards.
CREATE TABLE CARD_OPERATOR_PERSON (
  ID         NUMBER(10)   NOT NULL PRIMARY KEY,
  F_I_O      VARCHAR2(40) NOT NULL,
  ID_EMITENT NUMBER(6)    NOT NULL,
  ID_POS     NUMBER(8)    NOT NULL);

-- Cards: KIND 1 a client's card (ID_CLIENT, WHO), 2 an operator's card, 3 an employee's card
-- (ID_PERSON names the operator or the employee). GRAFNUM is the number printed on the card.
CREATE TABLE CARD (
  ID            NUMBER(12)    NOT NULL PRIMARY KEY,
  KIND          NUMBER(1)     NOT NULL,
  GRAFNUM       VARCHAR2(40)  NOT NULL,
  GRAFNUM_NUM   NUMBER(15)    GENERATED ALWAYS AS (CAST(GRAFNUM AS INTEGER)) VIRTUAL,
  ELNUM         VARCHAR2(24),
  PAN_COD       VARCHAR2(30),
  ID_CLIENT     NUMBER(10),
  WHO           NUMBER(1),
  ID_PERSON     NUMBER(10),
  CARDTYPE      VARCHAR2(20),
  ID_SOSTOYANYA NUMBER(1)     NOT NULL,
  DATA_VYDACHI  DATE,
  DATA_IZYATIYA VARCHAR2(10),
  OWNER         VARCHAR2(40),
  NEW_CARD      VARCHAR2(10),
  E_MAIL        VARCHAR2(100),
  RCHECK        CHAR(1)       GENERATED ALWAYS AS ('-') VIRTUAL,
  ROWID_QUERY   VARCHAR2(18)  GENERATED ALWAYS AS ('AAACRD' || printf('%012X', ID)) VIRTUAL);

CREATE TABLE CARD_GROUP (
  ID          NUMBER(8)     NOT NULL PRIMARY KEY,
  NAME        VARCHAR2(40)  NOT NULL,
  DESCRIPTION VARCHAR2(100),
  RCHECK      CHAR(1)       GENERATED ALWAYS AS ('-') VIRTUAL);

CREATE TABLE CARD_GROUP_ITEM (
  ID_GROUP NUMBER(8)  NOT NULL,
  ID_CARD  NUMBER(12) NOT NULL,
  PRIMARY KEY (ID_GROUP, ID_CARD));

CREATE TABLE EMP_CARD_GROUP (
  GROUP_ID NUMBER(8)    NOT NULL PRIMARY KEY,
  NAME     VARCHAR2(40) NOT NULL);

CREATE TABLE EMP_CARD_GROUP_ITEM (
  GROUP_ID NUMBER(8)  NOT NULL,
  CARD_ID  NUMBER(12) NOT NULL,
  PRIMARY KEY (GROUP_ID, CARD_ID));

-- RFID tags of the clients' vehicles, optionally bound to a card.
CREATE TABLE RFID_TAG (
  RFID_NUM       NUMBER(10)     NOT NULL PRIMARY KEY,
  RFID_NAME      VARCHAR2(90),
  ID_CLIENT      NUMBER(10)     NOT NULL,
  ID_CARD        NUMBER(12),
  VEHICLE_NAME   VARCHAR2(40),
  VEHICLE_NUMBER VARCHAR2(8),
  TARNOLTANK     NUMBER(6,1),
  DAYS           VARCHAR2(4000),
  TIME_INTERVAL  VARCHAR2(13),
  ROWID_QUERY    VARCHAR2(18)   GENERATED ALWAYS AS ('AAARFD' || printf('%012X', RFID_NUM)) VIRTUAL);

CREATE TABLE RFID_GROUP (
  GROUP_ID    NUMBER(8)      NOT NULL PRIMARY KEY,
  GROUP_NAME  VARCHAR2(100)  NOT NULL,
  GROUP_DESC  VARCHAR2(4000),
  ROWID_QUERY VARCHAR2(18)   GENERATED ALWAYS AS ('AAARFG' || printf('%012X', GROUP_ID)) VIRTUAL);

CREATE TABLE RFID_GROUP_ITEM (
  GROUP_ID NUMBER(8)  NOT NULL,
  RFID_NUM NUMBER(10) NOT NULL,
  PRIMARY KEY (GROUP_ID, RFID_NUM));

CREATE TABLE EMITENT_GROUP (
  ID              NUMBER(8)     NOT NULL PRIMARY KEY,
  NAME            VARCHAR2(40)  NOT NULL,
  DESCRIPTION     VARCHAR2(100),
  ID_FIRM         NUMBER(10),
  E_MAIL          VARCHAR2(100),
  NAME_FOR_REPORT VARCHAR2(100),
  RCHECK          CHAR(1)       GENERATED ALWAYS AS ('-') VIRTUAL,
  ROWID_QUERY     VARCHAR2(18)  GENERATED ALWAYS AS ('AAAEMG' || printf('%012X', ID)) VIRTUAL);

CREATE TABLE EMITENT_GROUP_ITEM (
  ID_GROUP   NUMBER(8) NOT NULL,
  ID_EMITENT NUMBER(6) NOT NULL,
  PRIMARY KEY (ID_GROUP, ID_EMITENT));

-- Reference lists: discount tariffs (IS_EXTERNAL 0 internal, 1 external), services and their
-- types, tariff time corrections, transaction types, notification types, service schemes and
-- the reasons for account changes.
CREATE TABLE DTARIF (
  ID          NUMBER(8)     NOT NULL PRIMARY KEY,
  IS_EXTERNAL NUMBER(1)     NOT NULL,
  NAME        VARCHAR2(40)  NOT NULL,
  DESCRIPTION VARCHAR2(100),
  RCHECK      CHAR(1)       GENERATED ALWAYS AS ('-') VIRTUAL);

CREATE TABLE SERVICE_TYPE (
  ID     NUMBER(4)    NOT NULL PRIMARY KEY,
  NAME   VARCHAR2(40) NOT NULL,
  RCHECK CHAR(1)      GENERATED ALWAYS AS ('-') VIRTUAL);

CREATE TABLE SERVICE (
  ID              NUMBER(6)    NOT NULL PRIMARY KEY,
  NAME            VARCHAR2(40) NOT NULL,
  MEASUREMENT     VARCHAR2(10),
  ACTIVNOST       NUMBER(1)    NOT NULL,
  ID_SERVICE_TYPE NUMBER(4)    NOT NULL,
  RCHECK          CHAR(1)      GENERATED ALWAYS AS ('-') VIRTUAL);

CREATE TABLE DTARIF_PERIOD_PARAM (
  ID_DTARIF_PERIOD_PARAM NUMBER(8)     NOT NULL PRIMARY KEY,
  NAME                   VARCHAR2(60)  NOT NULL,
  DESCRIPTION            VARCHAR2(100),
  FULLNAME               VARCHAR2(103) GENERATED ALWAYS AS ('[' || ID_DTARIF_PERIOD_PARAM || '] ' || NAME) VIRTUAL);

-- Names of transaction types are Russian texts that the language package translates.
CREATE TABLE TRN_TYPE (
  ID     NUMBER(4)     NOT NULL PRIMARY KEY,
  NAME   VARCHAR2(255) NOT NULL,
  RCHECK CHAR(1)       GENERATED ALWAYS AS ('-') VIRTUAL);

-- Types up to 99 are the system's own (their descriptions are translated by the programs);
-- from 100 on they are the centre's own, shown as stored.
CREATE TABLE NOTIFICATION_TYPE (
  ID                 NUMBER(4)    NOT NULL PRIMARY KEY,
  NOTICE_DESCRIPTION VARCHAR2(40) NOT NULL,
  NOTICE_DEFAULT     NUMBER(1)    NOT NULL,
  RCHECK             CHAR(1)      GENERATED ALWAYS AS ('-') VIRTUAL);

CREATE TABLE TRN_SCHEME (
  SCHEME_ID   NUMBER(8)    NOT NULL PRIMARY KEY,
  SCHEME_NAME VARCHAR2(32) NOT NULL);

CREATE TABLE ACCOUNT_CHANGE_REASON (
  OPERATION          NUMBER(6)      NOT NULL PRIMARY KEY,
  DISCRIPTION_REASON VARCHAR2(4000) NOT NULL,
  RCHECK             CHAR(1)        GENERATED ALWAYS AS ('-') VIRTUAL);

-- The journal of acts: an act hands a batch of cards over to a client; REPORT_FILE holds the
-- act document itself.
CREATE TABLE DROC_JOURNAL_ACT (
  DROC_JOURNAL_ACT_ID NUMBER(10)     NOT NULL PRIMARY KEY,
  ACT_NUMBER          NUMBER(10)     NOT NULL,
  ACT_DATE            DATE           NOT NULL,
  CLIENT_ID           NUMBER(10)     NOT NULL,
  WHO                 NUMBER(1)      NOT NULL,
  AMOUNT_CARDS        NUMBER(6)      NOT NULL,
  COMMENTARY          VARCHAR2(4000),
  REPORT_FILE_NAME    VARCHAR2(256),
  REPORT_FILE         BLOB);

-- Rows that the programs' lists have marked, mirrored per service session (GUID) and list.
CREATE TABLE TEMP_SELECT_LINE (
  GUID_SERVICE VARCHAR2(64) NOT NULL,
  DATASET_NAME VARCHAR2(64) NOT NULL,
  ROWID_QUERY  VARCHAR2(18) NOT NULL,
  MARKED_AT    DATE         NOT NULL,
  PRIMARY KEY (GUID_SERVICE, DATASET_NAME, ROWID_QUERY));

