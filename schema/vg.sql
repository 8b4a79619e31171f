-- The manager database that zov_iziver imports into, for the tests and the
-- demo. The tool itself never creates or alters a table.
CREATE TABLE vg_list (
  id        INTEGER PRIMARY KEY,
  name      TEXT NOT NULL DEFAULT '',
  ipaddr    TEXT NOT NULL DEFAULT '',
  lladdr    TEXT NOT NULL DEFAULT '00:00:00:00:00:00',
  netaddr   TEXT NOT NULL DEFAULT '0.0.0.0',
  nat       INTEGER NOT NULL DEFAULT 0,
  created   TEXT NOT NULL DEFAULT (datetime('now', 'localtime'))
);

CREATE TABLE host_flag (
  id            INTEGER PRIMARY KEY AUTOINCREMENT,
  lladdr        TEXT NOT NULL UNIQUE,
  segment_flag  INTEGER NOT NULL DEFAULT 1
);

CREATE TABLE allow_list (
  id              INTEGER PRIMARY KEY AUTOINCREMENT,
  vg_list_id      INTEGER NOT NULL,
  org_vg_list_id  INTEGER NOT NULL DEFAULT 0,
  lladdr          TEXT NOT NULL,
  name            TEXT NOT NULL DEFAULT '',
  regist_time     TEXT DEFAULT (datetime('now', 'localtime')),
  expire_time     TEXT DEFAULT NULL,
  hostname_flag   INTEGER NOT NULL DEFAULT 1,
  org_ipaddr      TEXT NOT NULL DEFAULT '0.0.0.0',
  -- A PC is registered on an appliance once: a second import of the same
  -- file is refused row by row.
  UNIQUE (vg_list_id, lladdr)
);

CREATE TABLE users (
  id               INTEGER PRIMARY KEY,
  login_user_name  TEXT NOT NULL,
  hash_password    TEXT NOT NULL DEFAULT '',
  description      TEXT NOT NULL DEFAULT '',
  created          TEXT NOT NULL DEFAULT (datetime('now', 'localtime'))
);
INSERT INTO users (id, login_user_name, hash_password, description)
  VALUES (1, 'admin', 'd033e22ae348aeb5660fc2140aec35850c4da997', 'Administrator');

CREATE TABLE groups (
  id    INTEGER PRIMARY KEY AUTOINCREMENT,
  name  TEXT NOT NULL UNIQUE
);

CREATE TABLE user_groups (
  group_id    INTEGER NOT NULL,
  user_id     INTEGER NOT NULL,
  permission  INTEGER NOT NULL DEFAULT 1,
  PRIMARY KEY (group_id, user_id)
);

CREATE TABLE group_vg_list (
  group_id    INTEGER NOT NULL,
  vg_list_id  INTEGER NOT NULL,
  PRIMARY KEY (group_id, vg_list_id)
);

CREATE TABLE detection_log (
  id              INTEGER PRIMARY KEY AUTOINCREMENT,
  vg_list_id      INTEGER NOT NULL,
  lladdr          TEXT NOT NULL,
  ipaddr          TEXT NOT NULL DEFAULT '0.0.0.0',
  hostname        TEXT NOT NULL DEFAULT '',
  workgroup       TEXT NOT NULL DEFAULT '',
  detect_time     TEXT DEFAULT (datetime('now', 'localtime')),
  confirmed_time  TEXT DEFAULT (datetime('now', 'localtime')),
  regist_flag     INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE hostmove (
  id               INTEGER PRIMARY KEY AUTOINCREMENT,
  src_vg_list_id   INTEGER NOT NULL,
  dst_vg_list_id   INTEGER NOT NULL,
  name             TEXT NOT NULL DEFAULT '',
  lladdr           TEXT NOT NULL,
  ipaddr           TEXT NOT NULL DEFAULT '0.0.0.0',
  hostname         TEXT NOT NULL DEFAULT '',
  workgroup        TEXT NOT NULL DEFAULT '',
  confirmed_table  TEXT DEFAULT (datetime('now', 'localtime'))
);
