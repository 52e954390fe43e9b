/* The component's entry for hosts that are not written in C++. */
#ifndef VELLBATCHRULE_VBR_H
#define VELLBATCHRULE_VBR_H

#ifdef __cplusplus
extern "C" {
#endif

#define VBR_EXPORT __attribute__((visibility("default")))

/* What a call answers. After VBR_FAILED, vbr_last_error_text and
   vbr_last_error_number say why. */
enum vbr_status {
    VBR_OK = 0,
    VBR_FAILED = -1,
    VBR_REPEATS = 1,        /* vbr_issue: the rule has no serial, every number is the same */
    VBR_ALREADY_THERE = 1   /* vbr_create_counter_table: both tables were there */
};

/* The layout of the function tables below; a table's first field says
   which one it was written for, so that a table can grow without breaking
   a host built against an older one. */
#define VBR_TABLE_VERSION 1

typedef struct vbr_face vbr_face;

/* Opens the component on a database for a session: `connection` is a SQLite
   file or an ODBC connection string, `props` the session's property string
   ("UserID=16394;LANGUAGE=en"), both UTF-8. The library's own components
   serve every name the host has not registered itself (vbr_register_*
   below). NULL on a failure. Release with vbr_face_release. */
VBR_EXPORT vbr_face* vbr_open(const char* connection, const char* props);

/* Creates the entry object on components the host has registered already
   (a C++ host's, or those of an earlier vbr_open). NULL on a failure. */
VBR_EXPORT vbr_face* vbr_face_create(void);

/* Runs the main window modally and returns when the user closes it: VBR_OK,
   or VBR_FAILED. Makes the application object when the host has none; -1
   without a display, or when the host's application object is no
   QApplication or lives on another thread. */
VBR_EXPORT int vbr_face_show(vbr_face* face);

/* Releases the entry object: the thread's host connection goes with it. */
VBR_EXPORT void vbr_face_release(vbr_face* face);

/* The last failure on the calling thread: its text (UTF-8, in the session's
   language for a refusal) and number (HostErrors.h, or the database's own);
   "" and 0 after a call that succeeded. */
VBR_EXPORT const char* vbr_last_error_text(void);
VBR_EXPORT int vbr_last_error_number(void);

/* ---- Batch numbers from a material's stored rule, never the same twice. ----
   The serial counts per material and per rest of the number: it starts again
   at its format's value whenever any other element's text differs (a new day
   for yymmdd, another supplier code). Every number given is kept in the table
   ICBatchNoIssued and a serial passes over those given before, whatever rule
   gave them; the counters live in ICBatchNoSerial (both made by
   vbr_create_counter_table, or `vell-batchrule batch init`).
   After vbr_open; an issuer belongs to the thread that opened it. A refusal
   shows no box: its text is the last error's. */

typedef struct vbr_issuer vbr_issuer;

/* The document the numbers are for, as `rule preview` takes it. */
typedef struct vbr_document {
    const char* date;            /* "YYYY-MM-DD"; NULL: today */
    int line;                    /* from 1; 0: line 1 */
    const char* const* values;   /* "PROPERTY=TEXT" each, the property by ID or name; may be NULL */
    int value_count;
} vbr_document;

/* Receives each number (UTF-8), in order. */
typedef void (*vbr_number_callback)(void* context, const char* number);

/* The issuer of a material the user may see and that has a rule; NULL on a refusal. */
VBR_EXPORT vbr_issuer* vbr_issuer_open(int item_id);
VBR_EXPORT void vbr_issuer_release(vbr_issuer* issuer);

/* Takes `count` numbers (1 to 100000) in one unit of work, all or none, and
   hands them to `each`. VBR_OK; VBR_REPEATS when the rule has no serial;
   VBR_FAILED after a refusal (an overflow of the serial's length included:
   then nothing is taken) or a failure. */
VBR_EXPORT int vbr_issue(vbr_issuer* issuer, const vbr_document* document, int count, vbr_number_callback each,
                         void* context);
/* The number vbr_issue would hand out first, taking nothing: VBR_OK or VBR_FAILED. */
VBR_EXPORT int vbr_peek(vbr_issuer* issuer, const vbr_document* document, vbr_number_callback each, void* context);

/* Creates the component's own tables where missing (ICBatchNoSerial,
   ICBatchNoIssued, the rule history): VBR_OK, VBR_ALREADY_THERE, or VBR_FAILED. */
VBR_EXPORT int vbr_create_counter_table(void);

/* ---- The rules, as the command line's `rule` commands work them. ----
   After vbr_open. A material's rule (item_id > 0) or a group's (item_id 0,
   group_id from 0: the root). A refusal shows no box: its text is the last
   error's. */

/* Receives a line of text (UTF-8). */
typedef void (*vbr_text_callback)(void* context, const char* text);

/* The stored rule as "[日期]+[流水号]", handed to `each`: VBR_OK or VBR_FAILED. */
VBR_EXPORT int vbr_show_rule(int item_id, int group_id, vbr_text_callback each, void* context);
/* Writes the rule of `element_count` elements, each
   "property[:format[:length[:pad[:substitute]]]]", as the editor's OK does;
   own_rules: 0 as the stored option says, 1 replace the materials' own
   rules, 2 spare them. VBR_OK or VBR_FAILED (nothing written). */
VBR_EXPORT int vbr_set_rule(int item_id, int group_id, const char* const* elements, int element_count, int own_rules);
/* Imports a rule file (CSV or JSON), whole or not at all; dry_run writes
   nothing. Its summary goes to `each`. VBR_OK or VBR_FAILED. */
VBR_EXPORT int vbr_import_rules(const char* file, int own_rules, int dry_run, vbr_text_callback each, void* context);

/* ---- The host's own components, as tables of C functions. ----
   Each table starts with its version (VBR_TABLE_VERSION) and is copied when
   registered; `context` is handed back to every
   function. A function answers 0 when it did its work; else it calls
   vbr_fail first, and its failure reaches the component's caller as the
   host's error. Every text is UTF-8. Registered before vbr_open, a table
   replaces the library's component of the same kind. */

typedef struct vbr_call vbr_call;   /* one call into the host's function */

/* Says why the call failed: a number and a text. */
VBR_EXPORT void vbr_fail(vbr_call* call, int number, const char* text);

/* A batch's rows, handed over as the host reads them: first every column's
   name, then the values row after row, in column order. A batch that leaves
   the columns unset has no rows at all. */
VBR_EXPORT void vbr_add_column(vbr_call* call, const char* name);
VBR_EXPORT void vbr_add_text(vbr_call* call, const char* value);   /* NULL: the database's NULL */
VBR_EXPORT void vbr_add_integer(vbr_call* call, long long value);
VBR_EXPORT void vbr_add_real(vbr_call* call, double value);
VBR_EXPORT void vbr_add_null(vbr_call* call);

/* Answers a text (a restriction's fragment below). */
VBR_EXPORT void vbr_answer_text(vbr_call* call, const char* text);

/* The host connection: runs one Transact-SQL batch, whole or not at all, and
   groups batches into a unit of work that lands whole or not at all. */
typedef struct vbr_connection_functions {
    int version;
    void* context;
    int (*execute)(void* context, const char* sql, vbr_call* call);
    int (*begin_trans)(void* context, vbr_call* call);
    int (*commit_trans)(void* context, vbr_call* call);
    int (*rollback_trans)(void* context, vbr_call* call);
} vbr_connection_functions;

/* The modal message box with one OK button; icon 0 is information, 1 an exclamation. */
typedef struct vbr_message_box_functions {
    int version;
    void* context;
    void (*show)(void* context, const char* text, const char* title, int icon);
} vbr_message_box_functions;

/* The access rights: whether the user's rows are restricted at all, and the
   restriction of one data table as SQL. `bill_key` is the column of the
   query that holds the table's ids ("u1.FItemID"); the answer is a
   condition on it ("u1.FItemID in (select …)"), answered with
   vbr_answer_text; an empty answer restricts nothing. */
typedef struct vbr_data_access_functions {
    int version;
    void* context;
    int (*is_restricted)(void* context, const char* props, int user_id, int* restricted, vbr_call* call);
    int (*restriction)(void* context, const char* props, int user_id, const char* data_table,
                       const char* data_column, const char* bill_key, vbr_call* call);
} vbr_data_access_functions;

/* VBR_OK, or VBR_FAILED when a table's version is unknown or it lacks one of its functions. */
VBR_EXPORT int vbr_register_connection(const vbr_connection_functions* functions);
VBR_EXPORT int vbr_register_message_box(const vbr_message_box_functions* functions);
VBR_EXPORT int vbr_register_data_access(const vbr_data_access_functions* functions);

#ifdef __cplusplus
}
#endif

#endif
