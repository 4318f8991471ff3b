// A small schema file for the engine's tests, written with SQLite directly: employees and roles
// over typed tables, a view whose computed columns declare Oracle types, and a few routines and
// package variables in the catalog.
#pragma once

#include <sqlite3.h>

#include <stdexcept>
#include <string>

inline void RunSqlScript(const std::string& fileName, const std::string& script) {
  sqlite3* db = nullptr;
  sqlite3_open(fileName.c_str(), &db);
  char* error = nullptr;
  const int rc = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &error);
  const std::string message = error ? error : "";
  sqlite3_free(error);
  sqlite3_close(db);
  if (rc != SQLITE_OK) throw std::runtime_error(message);
}

inline const char* TestSchemaScript() {
  return R"(
CREATE TABLE T_EMP (ID NUMBER(10) PRIMARY KEY, NAME VARCHAR2(40), ROLE_ID NUMBER(10), HIRED DATE, SALARY NUMBER(12,2));
INSERT INTO T_EMP VALUES (1, 'Иванов', 10, '2020-03-31 00:00:00', 100.5), (2, 'Петров', NULL, '2021-01-15 10:20:30', 200),
                         (3, 'Сидоров', 20, '2021-12-31 23:59:59', NULL);
CREATE TABLE T_ROLE (ID NUMBER(10) PRIMARY KEY, NAME VARCHAR2(20));
INSERT INTO T_ROLE VALUES (10, 'Админ'), (20, 'Оператор');
CREATE TABLE T_LOG (MSG VARCHAR2(100));
CREATE VIEW V_EMP AS SELECT ID, NAME, ROLE_ID, HIRED, SALARY, CAST('-' AS CHAR(1)) AS RCHECK,
  CAST(SALARY * 2 AS NUMBER(12,2)) AS DOUBLED FROM T_EMP;
CREATE TABLE ORA_ROUTINES (PACKAGE_NAME TEXT NOT NULL DEFAULT '', ROUTINE_NAME TEXT NOT NULL, ROUTINE_KIND TEXT NOT NULL,
  RESULT_TYPE TEXT, BODY TEXT NOT NULL, PRIMARY KEY (PACKAGE_NAME, ROUTINE_NAME));
CREATE TABLE ORA_ROUTINE_ARGS (PACKAGE_NAME TEXT NOT NULL DEFAULT '', ROUTINE_NAME TEXT NOT NULL, POSITION INTEGER NOT NULL,
  ARG_NAME TEXT NOT NULL, DIRECTION TEXT NOT NULL DEFAULT 'IN', DATA_TYPE TEXT NOT NULL,
  PRIMARY KEY (PACKAGE_NAME, ROUTINE_NAME, POSITION));
CREATE TABLE ORA_PACKAGE_VARS (PACKAGE_NAME TEXT NOT NULL, VAR_NAME TEXT NOT NULL, DATA_TYPE TEXT NOT NULL, VALUE,
  PRIMARY KEY (PACKAGE_NAME, VAR_NAME));
INSERT INTO ORA_ROUTINES VALUES
  ('', 'IS_ODD', 'FUNCTION', 'NUMBER', 'SELECT :P_ID % 2'),
  ('EMP_PACK', 'ROLE_NAME', 'FUNCTION', 'VARCHAR2', 'SELECT NAME FROM &OWNER.T_ROLE WHERE ID = :P_ROLE'),
  ('EMP_PACK', 'HIRED_SINCE', 'FUNCTION', 'SYS_REFCURSOR', 'SELECT ID, NAME FROM &OWNER.V_EMP WHERE HIRED >= :P_DATE ORDER BY ID'),
  ('EMP_PACK', 'RENAME', 'PROCEDURE', NULL,
   'UPDATE &OWNER.T_EMP SET NAME = :P_NAME WHERE ID = :P_ID; SELECT count(*) AS P_COUNT, max(ID) AS P_MAX FROM &OWNER.T_EMP'),
  ('EMP_PACK', 'LOG_AND_FAIL', 'PROCEDURE', NULL,
   'INSERT INTO &OWNER.T_LOG VALUES (:P_MSG); SELECT RAISE_APPLICATION_ERROR(-20001, ''Отказ: '' || :P_MSG)');
INSERT INTO ORA_ROUTINE_ARGS VALUES
  ('', 'IS_ODD', 1, 'P_ID', 'IN', 'NUMBER'),
  ('EMP_PACK', 'ROLE_NAME', 1, 'P_ROLE', 'IN', 'NUMBER'),
  ('EMP_PACK', 'HIRED_SINCE', 1, 'P_DATE', 'IN', 'DATE'),
  ('EMP_PACK', 'RENAME', 1, 'P_ID', 'IN', 'NUMBER'), ('EMP_PACK', 'RENAME', 2, 'P_NAME', 'IN', 'VARCHAR2'),
  ('EMP_PACK', 'RENAME', 3, 'P_COUNT', 'OUT', 'NUMBER'), ('EMP_PACK', 'RENAME', 4, 'P_MAX', 'IN OUT', 'NUMBER'),
  ('EMP_PACK', 'LOG_AND_FAIL', 1, 'P_MSG', 'IN', 'VARCHAR2');
INSERT INTO ORA_PACKAGE_VARS VALUES ('EMP_PACK', 'MANAGER', 'VARCHAR2', 'Кузнецов'), ('EMP_PACK', 'USE_ROLES', 'BOOLEAN', 1),
  ('EMP_PACK', 'START_DATE', 'DATE', '2020-01-01 00:00:00');
)";
}
