#include "schema.h"

namespace vlm::server {

// Each entry moves the database one version up. Never edit a released
// entry; append a new one.
const QList<QStringList>& migrations() {
  static const QList<QStringList> steps = {
      // 1: the first schema.
      {
          R"(CREATE TABLE settings(key TEXT PRIMARY KEY, value TEXT NOT NULL))",
          R"(CREATE TABLE sellers(
               id INTEGER PRIMARY KEY, name TEXT NOT NULL,
               phone TEXT NOT NULL DEFAULT '', mail TEXT NOT NULL DEFAULT ''))",
          R"(CREATE TABLE accounts(
               id INTEGER PRIMARY KEY, code TEXT NOT NULL UNIQUE, name TEXT NOT NULL,
               name_key TEXT NOT NULL DEFAULT '',
               special_code TEXT NOT NULL DEFAULT '', main_group TEXT NOT NULL DEFAULT '',
               sub_group TEXT NOT NULL DEFAULT '', address1 TEXT NOT NULL DEFAULT '',
               address2 TEXT NOT NULL DEFAULT '', district TEXT NOT NULL DEFAULT '',
               city TEXT NOT NULL DEFAULT '', country TEXT NOT NULL DEFAULT '',
               phone1 TEXT NOT NULL DEFAULT '', phone2 TEXT NOT NULL DEFAULT '',
               fax1 TEXT NOT NULL DEFAULT '', fax2 TEXT NOT NULL DEFAULT '',
               gsm TEXT NOT NULL DEFAULT '', email TEXT NOT NULL DEFAULT '',
               contact TEXT NOT NULL DEFAULT '', tax_office TEXT NOT NULL DEFAULT '',
               tax_number TEXT NOT NULL DEFAULT '',
               kod1 TEXT NOT NULL DEFAULT '', kod2 TEXT NOT NULL DEFAULT '',
               kod3 TEXT NOT NULL DEFAULT '', kod4 TEXT NOT NULL DEFAULT '',
               kod5 TEXT NOT NULL DEFAULT '',
               seller_id INTEGER REFERENCES sellers(id),
               disc1 REAL NOT NULL DEFAULT 0, disc2 REAL NOT NULL DEFAULT 0,
               disc3 REAL NOT NULL DEFAULT 0, disc4 REAL NOT NULL DEFAULT 0,
               payment_days INTEGER NOT NULL DEFAULT 30,
               overdue_days INTEGER NOT NULL DEFAULT 0,
               overdue_months INTEGER NOT NULL DEFAULT 0))",
          R"(CREATE TABLE users(
               id INTEGER PRIMARY KEY, login TEXT NOT NULL, password TEXT NOT NULL,
               mail TEXT NOT NULL DEFAULT '', active INTEGER NOT NULL DEFAULT 1,
               customer_type INTEGER NOT NULL CHECK(customer_type BETWEEN 1 AND 4),
               account_id INTEGER REFERENCES accounts(id),
               seller_id INTEGER REFERENCES sellers(id)))",
          R"(CREATE TABLE workstations(
               identity TEXT PRIMARY KEY, user_id INTEGER NOT NULL REFERENCES users(id),
               computer_name TEXT NOT NULL DEFAULT '', os_user TEXT NOT NULL DEFAULT '',
               local_ip TEXT NOT NULL DEFAULT '', public_ip TEXT NOT NULL DEFAULT '',
               last_seen TEXT NOT NULL DEFAULT ''))",
          R"(CREATE TABLE pictures(id INTEGER PRIMARY KEY, mime TEXT NOT NULL, data BLOB NOT NULL))",
          R"(CREATE TABLE products(
               id INTEGER PRIMARY KEY, code TEXT NOT NULL, name TEXT NOT NULL,
               other_name TEXT NOT NULL DEFAULT '', barcode_no TEXT NOT NULL DEFAULT '',
               finish_code TEXT NOT NULL DEFAULT '', producer_code TEXT NOT NULL DEFAULT '',
               oem_no TEXT NOT NULL DEFAULT '', oem1 TEXT NOT NULL DEFAULT '',
               oem2 TEXT NOT NULL DEFAULT '', oem3 TEXT NOT NULL DEFAULT '',
               oem4 TEXT NOT NULL DEFAULT '', unit TEXT NOT NULL DEFAULT '',
               make TEXT NOT NULL DEFAULT '', model TEXT NOT NULL DEFAULT '',
               grp TEXT NOT NULL DEFAULT '', special_code TEXT NOT NULL DEFAULT '',
               dp_code TEXT NOT NULL DEFAULT '', p_code TEXT NOT NULL DEFAULT '',
               department TEXT NOT NULL DEFAULT '',
               vat REAL NOT NULL DEFAULT 20, list_price REAL NOT NULL DEFAULT 0,
               campaign_price REAL NOT NULL DEFAULT 0, is_new INTEGER NOT NULL DEFAULT 0,
               state INTEGER NOT NULL DEFAULT 1, stock REAL NOT NULL DEFAULT 0,
               on_order REAL NOT NULL DEFAULT 0,
               picture_id INTEGER REFERENCES pictures(id),
               search_key TEXT NOT NULL, compact_key TEXT NOT NULL))",
          R"(CREATE INDEX products_code ON products(code))",
          R"(CREATE TABLE cart_lines(
               id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL REFERENCES accounts(id),
               product_id INTEGER NOT NULL REFERENCES products(id),
               quantity REAL NOT NULL, price REAL NOT NULL, vat REAL NOT NULL,
               disc1 REAL NOT NULL DEFAULT 0, disc2 REAL NOT NULL DEFAULT 0,
               disc3 REAL NOT NULL DEFAULT 0, disc4 REAL NOT NULL DEFAULT 0,
               gross REAL NOT NULL, discount REAL NOT NULL, net REAL NOT NULL,
               net_unit REAL NOT NULL, vat_amount REAL NOT NULL,
               campaign INTEGER NOT NULL DEFAULT 0, selected INTEGER NOT NULL DEFAULT 0,
               user_id INTEGER REFERENCES users(id), created TEXT NOT NULL,
               note TEXT NOT NULL DEFAULT ''))",
          R"(CREATE INDEX cart_lines_account ON cart_lines(account_id))",
          R"(CREATE TABLE delivery_modes(id INTEGER PRIMARY KEY, name TEXT NOT NULL))",
          R"(CREATE TABLE cargo_types(id INTEGER PRIMARY KEY, name TEXT NOT NULL))",
          R"(CREATE TABLE cargo_companies(
               id INTEGER PRIMARY KEY, cargo_type_id INTEGER NOT NULL REFERENCES cargo_types(id),
               name TEXT NOT NULL, warning TEXT NOT NULL DEFAULT ''))",
          R"(CREATE TABLE orders(
               id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL REFERENCES accounts(id),
               user_id INTEGER REFERENCES users(id), created TEXT NOT NULL,
               status INTEGER NOT NULL DEFAULT 2,
               delivery_id INTEGER REFERENCES delivery_modes(id),
               cargo_type_id INTEGER REFERENCES cargo_types(id),
               cargo_company_id INTEGER REFERENCES cargo_companies(id),
               customer_note TEXT NOT NULL DEFAULT '', our_note TEXT NOT NULL DEFAULT '',
               seller_note TEXT NOT NULL DEFAULT ''))",
          R"(CREATE INDEX orders_account ON orders(account_id))",
          R"(CREATE INDEX orders_created ON orders(created))",
          R"(CREATE TABLE order_lines(
               id INTEGER PRIMARY KEY, order_id INTEGER NOT NULL REFERENCES orders(id),
               product_id INTEGER NOT NULL REFERENCES products(id),
               cart_line_id INTEGER NOT NULL DEFAULT 0,
               quantity REAL NOT NULL, delivered REAL NOT NULL DEFAULT 0,
               cancelled REAL NOT NULL DEFAULT 0,
               price REAL NOT NULL, first_price REAL NOT NULL, vat REAL NOT NULL,
               disc1 REAL NOT NULL DEFAULT 0, disc2 REAL NOT NULL DEFAULT 0,
               disc3 REAL NOT NULL DEFAULT 0, disc4 REAL NOT NULL DEFAULT 0,
               gross REAL NOT NULL, discount REAL NOT NULL, net REAL NOT NULL,
               net_unit REAL NOT NULL, vat_amount REAL NOT NULL,
               campaign INTEGER NOT NULL DEFAULT 0, note TEXT NOT NULL DEFAULT ''))",
          R"(CREATE INDEX order_lines_order ON order_lines(order_id))",
          R"(CREATE INDEX order_lines_product ON order_lines(product_id))",
          R"(CREATE TABLE invoices(
               id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL REFERENCES accounts(id),
               date TEXT NOT NULL, kind TEXT NOT NULL, doc_no TEXT NOT NULL,
               seller_name TEXT NOT NULL DEFAULT '', payment_days INTEGER NOT NULL DEFAULT 0,
               waybill_no TEXT NOT NULL DEFAULT '', waybill_date TEXT NOT NULL DEFAULT '',
               order_doc_no TEXT NOT NULL DEFAULT '', order_date TEXT NOT NULL DEFAULT ''))",
          R"(CREATE INDEX invoices_account ON invoices(account_id))",
          R"(CREATE TABLE invoice_lines(
               id INTEGER PRIMARY KEY, invoice_id INTEGER NOT NULL REFERENCES invoices(id),
               product_id INTEGER NOT NULL REFERENCES products(id),
               quantity REAL NOT NULL, price REAL NOT NULL, vat REAL NOT NULL,
               disc1 REAL NOT NULL DEFAULT 0, disc2 REAL NOT NULL DEFAULT 0,
               disc3 REAL NOT NULL DEFAULT 0, disc4 REAL NOT NULL DEFAULT 0,
               expense REAL NOT NULL DEFAULT 0,
               gross REAL NOT NULL, discount REAL NOT NULL, net REAL NOT NULL,
               net_unit REAL NOT NULL, vat_amount REAL NOT NULL,
               note TEXT NOT NULL DEFAULT ''))",
          R"(CREATE INDEX invoice_lines_invoice ON invoice_lines(invoice_id))",
          R"(CREATE INDEX invoice_lines_product ON invoice_lines(product_id))",
          R"(CREATE TABLE collections(
               id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL REFERENCES accounts(id),
               date TEXT NOT NULL, kind TEXT NOT NULL, type TEXT NOT NULL DEFAULT '',
               doc_no TEXT NOT NULL DEFAULT '', due TEXT NOT NULL DEFAULT '',
               amount REAL NOT NULL, description TEXT NOT NULL DEFAULT '',
               ref TEXT NOT NULL DEFAULT ''))",
          R"(CREATE TABLE pos_payments(
               id INTEGER PRIMARY KEY,
               collection_id INTEGER NOT NULL UNIQUE REFERENCES collections(id),
               date TEXT NOT NULL, card_masked TEXT NOT NULL DEFAULT '',
               auth_code TEXT NOT NULL DEFAULT '', amount REAL NOT NULL,
               installments INTEGER NOT NULL DEFAULT 1, receipt BLOB))",
          R"(CREATE TABLE movements(
               id INTEGER PRIMARY KEY, account_id INTEGER NOT NULL REFERENCES accounts(id),
               date TEXT NOT NULL, kind_name TEXT NOT NULL, doc_no TEXT NOT NULL DEFAULT '',
               debit REAL NOT NULL DEFAULT 0, credit REAL NOT NULL DEFAULT 0,
               description TEXT NOT NULL DEFAULT '', doc_id INTEGER NOT NULL DEFAULT 0))",
          R"(CREATE INDEX movements_account ON movements(account_id, date))",
          R"(CREATE TABLE banners(slot INTEGER PRIMARY KEY, mime TEXT NOT NULL, data BLOB NOT NULL))",
          R"(CREATE TABLE announcements(
               id INTEGER PRIMARY KEY, position INTEGER NOT NULL, title TEXT NOT NULL,
               action TEXT NOT NULL DEFAULT '', jpeg BLOB))",
          R"(CREATE TABLE outbox(
               id INTEGER PRIMARY KEY, created TEXT NOT NULL, kind TEXT NOT NULL,
               identity TEXT NOT NULL DEFAULT '', recipient TEXT NOT NULL DEFAULT '',
               subject TEXT NOT NULL DEFAULT '', body TEXT NOT NULL DEFAULT '',
               sent INTEGER NOT NULL DEFAULT 0))",
      },
  };
  return steps;
}

}  // namespace vlm::server
