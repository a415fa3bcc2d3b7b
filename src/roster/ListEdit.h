// Linking a record into and out of a singly linked list by its row.
#pragma once

#include "records/RowRule.h"

#include <cstdint>

namespace pc {

// Links `node` in so that it becomes row `row` (0 to the list's length).
template <typename Node>
void linkAt(Node*& head, Node* node, std::int32_t row)
{
    Node*& slot = row == 0 ? head : recordAt(head, row - 1)->next;
    node->next = slot;
    slot = node;
}

// Unlinks the record at row `row` (0 to the length less 1) and returns it.
template <typename Node>
Node* unlinkAt(Node*& head, std::int32_t row)
{
    Node*& slot = row == 0 ? head : recordAt(head, row - 1)->next;
    Node* node = slot;
    slot = node->next;
    node->next = nullptr;
    return node;
}

} // namespace pc
