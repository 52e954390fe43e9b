/* A host written in C alone: it opens the component on a database, or on
   its own connection, shows the main window and exits 0 once it closes.
   Usage: outside-host-c DATABASE [PROPS]   (the library's own components)
          outside-host-c --own [PROPS]      (its own connection, access rights and message box) */
#include <vellbatchrule/vbr.h>

#include <stdio.h>
#include <string.h>

static int batches = 0;

/* A database without rows: every batch succeeds and answers nothing. */
static int execute(void* context, const char* sql, vbr_call* call)
{
    (void)context, (void)sql, (void)call;
    ++batches;
    return 0;
}

static int unit_step(void* context, vbr_call* call)
{
    (void)context, (void)call;
    return 0;
}

/* Every user sees every row. */
static int is_restricted(void* context, const char* props, int user_id, int* restricted, vbr_call* call)
{
    (void)context, (void)props, (void)user_id, (void)call;
    *restricted = 0;
    return 0;
}

static int restriction(void* context, const char* props, int user_id, const char* data_table,
                       const char* data_column, const char* bill_key, vbr_call* call)
{
    (void)context, (void)props, (void)user_id, (void)data_table, (void)data_column, (void)bill_key, (void)call;
    return 0;
}

/* The host shows the component's messages its own way: here on standard output. */
static void show_message(void* context, const char* text, const char* title, int icon)
{
    (void)context;
    printf("message (%d) %s: %s\n", icon, title, text);
}

/* A refused call opens no box: the host reads why. */
static void print_refusal(const char* call, int status)
{
    if (status == VBR_FAILED)
        printf("%s refused (%d): %s\n", call, vbr_last_error_number(), vbr_last_error_text());
}

static void rule_text(void* context, const char* text)
{
    (void)context;
    printf("rule: %s\n", text);
}

static int failed(const char* step)
{
    printf("%s failed: %s (%d)\n", step, vbr_last_error_text(), vbr_last_error_number());
    return 1;
}

int main(int argc, char* argv[])
{
    const char* props = argc > 2 ? argv[2] : "UserID=16394;LANGUAGE=en";
    const char* database = argc > 1 ? argv[1] : "";
    const vbr_message_box_functions message_box = {VBR_TABLE_VERSION, NULL, show_message};
    if (vbr_register_message_box(&message_box) != VBR_OK)
        return failed("vbr_register_message_box");
    if (strcmp(database, "--own") == 0) {
        const vbr_connection_functions connection = {VBR_TABLE_VERSION, NULL, execute, unit_step, unit_step, unit_step};
        const vbr_data_access_functions access = {VBR_TABLE_VERSION, NULL, is_restricted, restriction};
        if (vbr_register_connection(&connection) != VBR_OK || vbr_register_data_access(&access) != VBR_OK)
            return failed("vbr_register");
        database = "";
    }
    vbr_face* face = vbr_open(database, props);
    if (!face)
        return failed("vbr_open");
    const int shown = vbr_face_show(face);
    vbr_face_release(face);
    if (shown != VBR_OK)
        return failed("vbr_face_show");
    if (*database) {
        const char* const twice[] = {"26:1:2", "26:1:2"};
        print_refusal("vbr_show_rule", vbr_show_rule(999999, 0, rule_text, NULL));
        print_refusal("vbr_set_rule", vbr_set_rule(101, 0, twice, 2, 0));
        print_refusal("vbr_import_rules", vbr_import_rules("/nonexistent/rules.csv", 0, 0, rule_text, NULL));
        print_refusal("vbr_issuer_open", vbr_issuer_open(999999) ? VBR_OK : VBR_FAILED);
        vbr_issuer* issuer = vbr_issuer_open(311);
        print_refusal("vbr_issue", vbr_issue(issuer, NULL, 0, NULL, NULL));
        vbr_issuer_release(issuer);
    }
    printf("shown and released through the C entry after %d own batches\n", batches);
    return 0;
}
