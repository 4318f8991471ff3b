-- The routine catalog of a schema: packages, standalone functions and procedures, their
-- arguments and the package variables. Bodies are SQLite statements separated by ';' whose
-- arguments are the named parameters :ARG_NAME; the text &OWNER. stands for the schema's own
-- prefix, so a body written once serves whatever name the schema file is attached under.
-- A body raises an error through RAISE_APPLICATION_ERROR(code, message).
CREATE TABLE IF NOT EXISTS ORA_ROUTINES (
  PACKAGE_NAME TEXT NOT NULL DEFAULT '',
  ROUTINE_NAME TEXT NOT NULL,
  ROUTINE_KIND TEXT NOT NULL,
  RESULT_TYPE  TEXT,
  BODY         TEXT NOT NULL,
  PRIMARY KEY (PACKAGE_NAME, ROUTINE_NAME));

CREATE TABLE IF NOT EXISTS ORA_ROUTINE_ARGS (
  PACKAGE_NAME TEXT NOT NULL DEFAULT '',
  ROUTINE_NAME TEXT NOT NULL,
  POSITION     INTEGER NOT NULL,
  ARG_NAME     TEXT NOT NULL,
  DIRECTION    TEXT NOT NULL DEFAULT 'IN',
  DATA_TYPE    TEXT NOT NULL,
  PRIMARY KEY (PACKAGE_NAME, ROUTINE_NAME, POSITION));

CREATE TABLE IF NOT EXISTS ORA_PACKAGE_VARS (
  PACKAGE_NAME TEXT NOT NULL,
  VAR_NAME     TEXT NOT NULL,
  DATA_TYPE    TEXT NOT NULL,
  VALUE,
  PRIMARY KEY (PACKAGE_NAME, VAR_NAME));
