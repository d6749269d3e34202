#include "search/trans_table.h"

std::uint32_t main_entries = 0;
std::uint32_t qs_entries = 0;
TransEntry* trans_table = nullptr;
QsEntry* qs_table = nullptr;

HashSizes hash_sizes_for(std::int64_t) {
    return {0, 0};
}
int init_hash_tables(std::int64_t) {
    return 0;
}
void clear_hash_tables() {}
HashProbe hash_probe(std::uint64_t, int, int alpha, int beta) {
    return {0, 0, alpha, beta, -1, 0};
}
void hash_store(int, std::uint64_t, int, int, int, int) {}
QsProbe qs_hash_probe(std::uint64_t, int, int alpha, int beta) {
    return {0, 0, alpha, beta, NO_QS_MOVE};
}
void qs_hash_store(int, std::uint64_t, int, int, int, int) {}
void hash_pv_line(const Position&, char* text) {
    text[0] = '.';
    text[1] = 0;
}
